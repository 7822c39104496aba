#include "messages/KillWordFilter.h"

#include "settings/AppDataDir.h"

#include <QStringView>

namespace tq {
namespace {

// What may stand on either side of a kill word for it to count as a word of its own.
constexpr QStringView kDelimiters { u" .,;!?()\"'\t\n\r" };

bool isEntrySeparator(QChar c)
{
    return c == u',' || c == u'\r' || c == u'\n';
}

bool isTrimmedSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

QStringView trimmed(QStringView word)
{
    while (!word.isEmpty() && isTrimmedSpace(word.front()))
        word = word.sliced(1);
    while (!word.isEmpty() && isTrimmedSpace(word.back()))
        word.chop(1);
    return word;
}

// Windows-1252 bytes 0x80 to 0x9F; the undefined ones keep their C1 code points.
constexpr char16_t kWindows1252High[32] = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

QString decodeLikeTheDisplay(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

bool isDelimiterAt(const QString &text, qsizetype position)
{
    // The ends of the text count as delimiters.
    if (position < 0 || position >= text.size())
        return true;
    return kDelimiters.contains(text[position]);
}

bool standsAlone(const QString &text, QStringView word)
{
    const qsizetype position = text.indexOf(word);
    return position >= 0 && isDelimiterAt(text, position - 1) && isDelimiterAt(text, position + word.size());
}

} // namespace

QString killFilePath()
{
    return AppDataDir::path() + QStringLiteral("KillFile.tqm");
}

std::optional<QByteArray> findKillWord(QByteArrayView killWordText, QByteArrayView messageText)
{
    if (killWordText.isEmpty())
        return std::nullopt;
    const QString entries = decodeLikeTheDisplay(killWordText).toUpper();
    const QString text = (decodeLikeTheDisplay(messageText) + QStringLiteral("\r\n")).toUpper();

    qsizetype entryStart = 0;
    for (qsizetype i = 0; i <= entries.size(); ++i) {
        if (i < entries.size() && !isEntrySeparator(entries[i]))
            continue;
        const QStringView word = trimmed(QStringView(entries).sliced(entryStart, i - entryStart));
        if (!word.isEmpty() && standsAlone(text, word))
            return word.toUtf8();
        entryStart = i + 1;
    }
    return std::nullopt;
}

} // namespace tq
