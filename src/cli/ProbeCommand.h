#pragma once

#include "cli/Subcommand.h"

#include <QCoreApplication>

namespace tq::cli {

// "tarquel probe": asks stations whether they listen, with the identification probe that
// every station acknowledges with its length and neither shows nor stores.
class ProbeCommand : public Subcommand {
    Q_DECLARE_TR_FUNCTIONS(ProbeCommand)

public:
    static constexpr int kDefaultTimeoutMs = 2000;
    static constexpr int kLongestTimeoutMs = 600000;

    QString name() const override { return QStringLiteral("probe"); }
    QString summary() const override;
    int run(const QStringList &arguments, CommandOutput &output) override;
};

} // namespace tq::cli
