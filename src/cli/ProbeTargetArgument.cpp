#include "cli/ProbeTargetArgument.h"

#include "cli/SubcommandParser.h"

#include <QCoreApplication>

#include <algorithm>

namespace tq::cli {
namespace {

// Letters, digits, '-', '_' and '.': the characters of host names and dotted addresses.
bool isHostText(const QString &host)
{
    return !host.isEmpty() && host.size() <= 253 && std::all_of(host.begin(), host.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-'
            || c == u'_' || c == u'.';
    });
}

} // namespace

std::variant<ProbeTarget, QString> parseProbeTarget(const QString &argument, int defaultPort)
{
    const qsizetype colon = argument.indexOf(u':');
    ProbeTarget target{argument, defaultPort};
    if (colon >= 0) {
        target.host = argument.first(colon);
        const QString portText = argument.sliced(colon + 1);
        const auto port = SubcommandParser::parsePort(portText);
        if (!port)
            return QCoreApplication::translate(
                       "ProbeTargetArgument",
                       "\"%1\": the port \"%2\" is not a number from 1 to 65535 (probes go over TCP)")
                .arg(argument, portText);
        target.port = *port;
    }
    if (!isHostText(target.host))
        return QCoreApplication::translate(
                   "ProbeTargetArgument",
                   "\"%1\" is not a host: give a host name or an IPv4 address, optionally with \":PORT\"")
            .arg(argument);
    return target;
}

QString targetText(const ProbeTarget &target)
{
    return target.host + u':' + QString::number(target.port);
}

} // namespace tq::cli
