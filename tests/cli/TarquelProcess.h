#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tq::test {

// One run of the built tarquel program, to its end.
struct TarquelRun {
    int exitCode = -1;
    QString out;
    QString err;

    QStringList outLines() const;
    // Standard output read as one JSON object per line.
    QList<QJsonObject> jsonLines() const;
};

// The test's own environment with the desktop's language set as given: LANGUAGE (left out
// when empty) and LANG, with LC_ALL and LC_MESSAGES removed. By default the desktop names no
// language, so the program speaks its built-in English whatever the machine's settings.
QProcessEnvironment desktopEnvironment(const QString &language = {}, const QString &lang = QStringLiteral("C.UTF-8"));

TarquelRun runTarquel(const QStringList &arguments, const QProcessEnvironment &environment = desktopEnvironment());
// The same with `input` on its standard input, which is closed after it.
TarquelRun runTarquelWithInput(const QStringList &arguments, const QByteArray &input);

} // namespace tq::test
