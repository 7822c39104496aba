#pragma once

namespace tq {

// The headings that open every packet text a station sends; receivers recognise them when
// they quote, and never answer an automatic answer automatically.
inline constexpr char kMessageHeading[] = "Message from ";
inline constexpr char kAutoAnswerHeading[] = "Autoanswer from ";
inline constexpr char kBroadcastHeading[] = "Broadcast message from ";

} // namespace tq
