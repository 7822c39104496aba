#include "addressbook/TemplateFiles.h"

#include "addressbook/DestinationList.h"
#include "protocol/WireText.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace tq::addressbook {

QString templateBaseName(const QString &destinationText, int code)
{
    if (code == kAllUsersCode)
        return QStringLiteral("All Users");
    if (code == kBroadcastCode)
        return QStringLiteral("BroadcastMessage");
    return destinationText.mid(2, std::max<qsizetype>(0, destinationText.size() - 4));
}

std::optional<QString> templateFilePath(const QString &dataDir, const QString &baseName)
{
    // Without a separator the name cannot climb out of the folder: ".." becomes "...tqm".
    // The backslash is refused too, as no address-book name may hold one.
    if (baseName.contains(QLatin1Char('/')) || baseName.contains(QLatin1Char('\\')) || baseName.contains(QChar(u'\0')))
        return std::nullopt;
    const QString &folder = dataDir;
    const QString fileName = baseName + QStringLiteral(".tqm");
    if (QFile::exists(folder + fileName))
        return folder + fileName;
    // The file of a destination is one file whatever the letter case it was written with,
    // as the names of the address book are.
    const QStringList present = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : present) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + name;
    }
    return folder + fileName;
}

std::optional<QString> readTemplateText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QString content = decodeMessageBytes(bytes);
    content.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = content.split(QLatin1Char('\n'));
    // A final line end does not begin another line.
    if (lines.last().isEmpty())
        lines.removeLast();
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

bool writeTemplateText(const QString &path, const QString &text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(crlf.toUtf8());
    return file.commit();
}

std::optional<QString> composeTextAfterPick(const QString &dataDir, const QString &entryText, int code,
                                            bool composeReplaceable, const QString &composeText)
{
    if (code < kBroadcastCode)
        return std::nullopt;
    const auto path = templateFilePath(dataDir, templateBaseName(entryText, code));
    if (!path)
        return std::nullopt;
    auto text = readTemplateText(*path);
    if (!text)
        return std::nullopt;
    // What the user wrote is never overwritten; blanks are not writing.
    if (!composeReplaceable && !composeText.trimmed().isEmpty())
        return std::nullopt;
    return text;
}

} // namespace tq::addressbook
