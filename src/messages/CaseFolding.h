#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tq {

// The form in which the kill words and the history search compare texts without regard to
// case: every letter in upper case, for every letter UTF-8 and Windows-1252 can hold ("ß"
// becomes "SS", so "STRASSE" finds "Straße").
QString foldCase(const QString &text);

// Message bytes decoded as the display decodes them, then folded.
QString foldMessageBytes(const QByteArray &bytes);

// The same as UTF-8, where a folded word is found inside a folded text by comparing bytes.
QByteArray foldMessageBytesToUtf8(QByteArrayView bytes);

} // namespace tq
