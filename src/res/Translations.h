#pragma once

#include <QString>

namespace tq {

// Puts the program's texts into the desktop's language: the first language of the user's list
// (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG) that has a translation wins, together with Qt's own
// texts in that language where they are installed. English is built in: a list that reaches it
// first keeps the program in English. Call once, right after the application object exists;
// the translators live as long as it does. Gives the language chosen ("de"), or an empty
// string for the built-in English.
QString installTranslations();

} // namespace tq
