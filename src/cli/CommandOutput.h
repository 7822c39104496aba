#pragma once

#include <QString>
#include <QTextStream>

#include <cstdio>

namespace tq::cli {

// Standard output and standard error in UTF-8, each line written through at once, so that
// results reach a pipe as they come.
class CommandOutput {
public:
    CommandOutput(FILE *out = stdout, FILE *err = stderr);

    void line(const QString &text);
    void errorLine(const QString &text);

private:
    QTextStream m_out;
    QTextStream m_err;
};

} // namespace tq::cli
