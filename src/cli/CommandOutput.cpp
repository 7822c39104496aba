#include "cli/CommandOutput.h"

namespace tq::cli {

CommandOutput::CommandOutput(FILE *out, FILE *err)
    : m_out(out)
    , m_err(err)
{
}

void CommandOutput::line(const QString &text)
{
    m_out << text << '\n';
    m_out.flush();
}

void CommandOutput::errorLine(const QString &text)
{
    m_err << text << '\n';
    m_err.flush();
}

} // namespace tq::cli
