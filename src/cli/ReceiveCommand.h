#pragma once

#include "cli/Subcommand.h"

#include <QCoreApplication>

namespace tq {
class MessageStation;
}

namespace tq::cli {

// "tarquel receive": the station without a window, with the user's settings, printing each
// message it accepts until a signal ends it.
class ReceiveCommand : public Subcommand {
    Q_DECLARE_TR_FUNCTIONS(ReceiveCommand)

public:
    QString name() const override { return QStringLiteral("receive"); }
    QString summary() const override;
    int run(const QStringList &arguments, CommandOutput &output) override;

private:
    // Switches AutoAnswer on with the answer the window keeps; false when there is none.
    static bool answerAutomatically(MessageStation &station);
};

} // namespace tq::cli
