#include "messages/KillWordFilter.h"

#include "messages/CaseFolding.h"

#include <QStringView>

namespace tq {
namespace {

// What may stand on either side of a kill word for it to count as a word of its own.
constexpr QStringView kDelimiters{u" .,;!?()\"'\t\n\r"};

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

QString killFilePath(const QString &dataDir)
{
    return dataDir + QStringLiteral("KillFile.tqm");
}

std::optional<QByteArray> findKillWord(QByteArrayView killWordText, QByteArrayView messageText)
{
    if (killWordText.isEmpty())
        return std::nullopt;
    const QString entries = foldMessageBytes(killWordText.toByteArray());
    const QString text = foldMessageBytes(messageText.toByteArray()) + QStringLiteral("\r\n");

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
