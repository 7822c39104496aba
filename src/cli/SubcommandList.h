#pragma once

#include "cli/Subcommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <memory>
#include <vector>

namespace tq::cli {

class CommandOutput;

// The program's subcommands and the choice among them by the first argument.
class SubcommandList {
    Q_DECLARE_TR_FUNCTIONS(SubcommandList)

public:
    void add(std::unique_ptr<Subcommand> subcommand) { m_subcommands.push_back(std::move(subcommand)); }

    // Runs the subcommand the arguments name (the program's own name first). Without one the
    // list of subcommands is shown: on request ("--help", "help") with status 0, else with 2.
    int run(const QStringList &arguments, CommandOutput &output) const;

    QString listText() const;

private:
    Subcommand *find(const QString &name) const;

    std::vector<std::unique_ptr<Subcommand>> m_subcommands;
};

} // namespace tq::cli
