#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tq {

// The text sent as the automatic answer, kept between runs as the user last left it in the
// compose box: "AutoFile.tqm" in the application-data folder `dataDir`.
QString answerFilePath(const QString &dataDir);

// The answer text: the file's lines, each followed by CR LF. None when the file cannot be
// opened or read (the compose box then stays as it is).
std::optional<QByteArray> readAnswerFile(const QString &path);

// Replaces the file with `composeText` exactly, adding no line end. An old answer text
// survives a failed write.
bool writeAnswerFile(QByteArrayView composeText, const QString &path);

} // namespace tq
