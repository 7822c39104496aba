#pragma once

#include "cli/Subcommand.h"

#include <QCoreApplication>

namespace tq::cli {

// "tarquel history": the stored messages of the user's messages folder that match words, a
// sender and a range of dates, newest first.
class HistoryCommand : public Subcommand {
    Q_DECLARE_TR_FUNCTIONS(HistoryCommand)

public:
    QString name() const override { return QStringLiteral("history"); }
    QString summary() const override;
    int run(const QStringList &arguments, CommandOutput &output) override;
};

} // namespace tq::cli
