#include "cli/HistoryCommand.h"

#include "cli/CommandOutput.h"
#include "cli/DateArgument.h"
#include "cli/SubcommandParser.h"
#include "history/HistorySearcher.h"
#include "messages/MessageFiles.h"
#include "messages/MessageTextForms.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QJsonDocument>

#include <optional>

namespace tq::cli {
namespace {

// The value of an option that may be given once; bad usage is reported when it came twice.
std::optional<QString> singleValue(const SubcommandParser &command, const QCommandLineOption &option,
                                   CommandOutput &output)
{
    const QStringList values = command.parser().values(option);
    if (values.size() > 1) {
        command.usageError(QCoreApplication::translate("HistoryCommand", "--%1 is given more than once")
                               .arg(option.names().constLast()),
                           output);
        return std::nullopt;
    }
    return values.value(0);
}

} // namespace

QString HistoryCommand::summary() const
{
    return tr("Prints stored messages that match words, a sender and dates.");
}

int HistoryCommand::run(const QStringList &arguments, CommandOutput &output)
{
    SubcommandParser command(
        name(), QStringLiteral("[options]"),
        tr("Prints the stored messages of your messages folder that match every option given, newest first. Each "
           "message is its arrival stamp, \"From:\" and the sender, then its text as the window shows it, and an "
           "empty line. Control characters of a text are shown as \"\uFFFD\". Standard error says how many of the "
           "stored messages were found.\n"
           "Messages are stored only while \"Use files to automatically saving and restoring messages\" is on "
           "(Preferences, Interface); while it is off, this is said on standard error and nothing is printed.\n"
           "Exit status: 0 when the search ran, also when nothing matched or storing is off; 2 for bad usage."));
    const QCommandLineOption searchOption(
        {QStringLiteral("s"), QStringLiteral("search")},
        tr("Only messages that hold each of WORDS, in any order and without regard to case, in the text or the "
           "sender. Quote several words as one argument."),
        QStringLiteral("WORDS"));
    const QCommandLineOption fromOption(
        {QStringLiteral("f"), QStringLiteral("from")},
        tr("Only messages from SENDER: a system name, an address, a host, or NAME/ADDRESS as messages name their "
           "sender, without regard to case."),
        QStringLiteral("SENDER"));
    const QCommandLineOption sinceOption(
        QStringLiteral("since"),
        tr("Only messages that arrived on or after DATE: a day (YYYY-MM-DD) or a date and time in ISO 8601 "
           "(2024-02-10T14:30, with \"Z\" or an offset such as +01:00 when it is not local time)."),
        QStringLiteral("DATE"));
    const QCommandLineOption untilOption(
        QStringLiteral("until"),
        tr("Only messages that arrived on or before DATE: the whole of a day given as YYYY-MM-DD, or up to and "
           "including a date and time."),
        QStringLiteral("DATE"));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"),
        tr("Writes one JSON object per message instead: \"arrival\" (ISO 8601 with the offset from UTC), "
           "\"sender\", \"importance\" (\"high\" or \"normal\"), \"text\" (without the arrival stamp) and "
           "\"file\" (the path of its file)."));
    command.addOption(searchOption);
    command.addOption(fromOption);
    command.addOption(sinceOption);
    command.addOption(untilOption);
    command.addOption(jsonOption);
    if (const auto status = command.parse(arguments, output))
        return *status;

    const QStringList positional = command.parser().positionalArguments();
    if (!positional.isEmpty())
        return command.usageError(
            tr("\"%1\" is no option: put several words in quotes after --search").arg(positional.first()), output);
    HistoryQuery query;
    query.words = command.parser().values(searchOption).join(u' ');
    const auto sender = singleValue(command, fromOption, output);
    if (!sender)
        return ExitBadUsage;
    query.sender = *sender;
    // Reads a date option into the query; false when bad usage was reported.
    const auto readDate = [&](const QCommandLineOption &option, QDate &date, QTime &time) {
        const auto text = singleValue(command, option, output);
        if (!text)
            return false;
        if (!command.parser().isSet(option))
            return true;
        const auto moment = parseDateArgument(QStringLiteral("--") + option.names().constLast(), *text);
        if (const QString *error = std::get_if<QString>(&moment)) {
            command.usageError(*error, output);
            return false;
        }
        date = std::get<WallClock>(moment).date;
        time = std::get<WallClock>(moment).time;
        return true;
    };
    if (!readDate(sinceOption, query.since, query.sinceTime) || !readDate(untilOption, query.until, query.untilTime))
        return ExitBadUsage;
    if (query.since.isValid() && query.until.isValid()) {
        const HistoryMatcher range(query);
        if (range.firstKey() >= range.endKey())
            return command.usageError(
                tr("--since %1 is later than --until %2")
                    .arg(command.parser().value(sinceOption), command.parser().value(untilOption)),
                output);
    }

    if (SettingsStore().get(keys::StoreAndLoad) == 0) {
        output.errorLine(tr("There are no stored messages: keeping received messages in files is switched off. "
                            "Switch it on in the Preferences (Interface) to keep the messages that arrive from "
                            "then on."));
        return ExitSuccess;
    }

    // Read only: the folder is not made when it is not there, which means nothing was stored.
    quint32 tooLarge = 0;
    const HistoryResult result = searchNow(HistoryIndex::snapshotOf(ReadStoredMessageFiles(
                                               AppDataDir::compute() + QStringLiteral("messages/"), &tooLarge)),
                                           query);
    const bool json = command.parser().isSet(jsonOption);
    for (size_t row = 0; row < result.rows.size(); ++row) {
        const HistoryEntry &entry = result.at(row);
        if (json) {
            output.line(QString::fromUtf8(
                QJsonDocument(messageJson(entry.record, entry.arrival())).toJson(QJsonDocument::Compact)));
        } else {
            QString readable = readableMessageForTerminal(entry.record);
            readable.chop(1); // the line feed that line() adds
            output.line(readable);
        }
    }
    output.errorLine(
        tr("Messages found: %1 of %2 stored.").arg(result.rows.size()).arg(result.snapshot->entries.size()));
    if (tooLarge > 0)
        output.errorLine(tr("Files left out for their size, too large to be messages: %1.").arg(tooLarge));
    return ExitSuccess;
}

} // namespace tq::cli
