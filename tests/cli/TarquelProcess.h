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

TarquelRun runTarquel(const QStringList &arguments,
                      const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
// The same with `input` on its standard input, which is closed after it.
TarquelRun runTarquelWithInput(const QStringList &arguments, const QByteArray &input);

} // namespace tq::test
