#pragma once

#include <QString>
#include <QStringList>

namespace tq::cli {

class CommandOutput;

// The exit status of every subcommand.
enum ExitStatus : int {
    ExitSuccess = 0, // everything asked for was done and confirmed
    ExitNotAll = 1, // done, but not every destination or target was confirmed
    ExitBadUsage = 2, // bad arguments or input: nothing was done
};

// One subcommand of the program: "tarquel NAME [arguments]". A new one is a class of its
// own in a file of its own, listed in main.cpp.
class Subcommand {
public:
    virtual ~Subcommand() = default;
    virtual QString name() const = 0;
    // One line for the list of subcommands.
    virtual QString summary() const = 0;
    // Runs with the arguments that follow the name; returns the exit status.
    virtual int run(const QStringList &arguments, CommandOutput &output) = 0;
};

} // namespace tq::cli
