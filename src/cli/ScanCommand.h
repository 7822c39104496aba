#pragma once

#include "cli/Subcommand.h"

#include <QCoreApplication>

namespace tq::cli {

// "tarquel scan": finds the stations of an address range and prints those that answered.
class ScanCommand : public Subcommand {
    Q_DECLARE_TR_FUNCTIONS(ScanCommand)

public:
    QString name() const override { return QStringLiteral("scan"); }
    QString summary() const override;
    int run(const QStringList &arguments, CommandOutput &output) override;
};

} // namespace tq::cli
