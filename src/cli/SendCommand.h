#pragma once

#include "cli/Subcommand.h"

#include <QCommandLineOption>
#include <QCoreApplication>

#include <optional>

namespace tq::cli {

class SubcommandParser;

// "tarquel send": one message to destinations in every form the destination field takes,
// assembled and sent by the station exactly as the window sends it.
class SendCommand : public Subcommand {
    Q_DECLARE_TR_FUNCTIONS(SendCommand)

public:
    static constexpr int kLongestBudgetMs = 600000;

    QString name() const override { return QStringLiteral("send"); }
    QString summary() const override;
    int run(const QStringList &arguments, CommandOutput &output) override;

private:
    // The text of -m, or of standard input; nothing when it is not usable (reported).
    std::optional<QString> messageText(const SubcommandParser &command, const QCommandLineOption &message,
                                       CommandOutput &output) const;
};

} // namespace tq::cli
