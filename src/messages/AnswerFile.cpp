#include "messages/AnswerFile.h"

#include "messages/TextFileLines.h"

#include <QSaveFile>

namespace tq {

QString answerFilePath(const QString &dataDir)
{
    return dataDir + QStringLiteral("AutoFile.tqm");
}

std::optional<QByteArray> readAnswerFile(const QString &path)
{
    return readLinesEndingCrLf(path);
}

bool writeAnswerFile(QByteArrayView composeText, const QString &path)
{
    QSaveFile file(path);
    // An existing answer file in a folder where no new file can be made is written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(composeText.data(), composeText.size()) != composeText.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace tq
