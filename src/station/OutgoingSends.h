#pragma once

#include "platform/Prompter.h"
#include "protocol/SendRequest.h"
#include "protocol/SendResultCode.h"
#include "station/OutgoingAssembly.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tq {

class AddressBookSnapshot;
class DestinationList;
class SendTasks;
class SettingsStore;
class SoundPlayer;

// A draft checked and assembled, ready to go once the user has said yes where a question is due.
struct OutgoingPlan {
    enum class Verdict {
        Refused, // no destination: nothing is sent (the question sound has played)
        NoSystemName, // stations would file it away unread: nothing is sent
        Ready,
    };
    Verdict verdict = Verdict::Refused;
    // It reaches every station on the network and the user wants to be asked first.
    bool asksBroadcastQuestion = false;
    bool automaticAnswer = false;
    OutgoingMessage message;
};

// What became of a planned send.
struct SendStart {
    enum class Outcome {
        Started, // the send task runs; its reports follow
        NothingToSend, // the destinations resolve to nobody: no task, no report
        TemplateWriteFailed, // the destination's text file could not be written: nothing sent
        NotReady, // the plan was refused
    };
    Outcome outcome = Outcome::NotReady;
    QString templateFile; // the file that could not be written
    quint64 send = 0; // the send's number in the reports, when it started
};

// The sending side of the station: drafts become plans (the assembly and the checks before
// anything goes out), plans become sends (the text file of a destination that stands for
// several recipients, then the send task), and the tasks' reports come back numbered.
class OutgoingSends : public QObject {
    Q_OBJECT
public:
    // `dataDir`: where the text files of the destinations are kept.
    OutgoingSends(SettingsStore &settings, SoundPlayer &sound, QString dataDir, QObject *parent = nullptr);

    // `destinations` and `book`: the destination list and snapshot the field offered.
    OutgoingPlan plan(const OutgoingDraft &draft, const OutgoingSender &sender, const DestinationList &destinations,
                      const AddressBookSnapshot &book, int useProtocol) const;
    // The user's answer to the broadcast question: whether to send. "Do not ask again" with a
    // yes turns the question off; a no never does.
    bool broadcastAnswered(const Prompter::CheckedAnswer &reply);
    SendStart send(const OutgoingPlan &plan);

    // Takes the requests of the sends in place of the send tasks: for tests of sends that must
    // never reach the network, a broadcast above all.
    void setSendStarter(std::function<void(const SendRequest &)> starter) { m_sendStarter = std::move(starter); }
    int runningCount() const;

Q_SIGNALS:
    // What send `send` asks for; just before its sendStarted.
    void sendRequested(quint64 send, const tq::SendRequest &request);
    void sendStarted(quint64 send, bool automaticAnswer);
    void sendProgress(quint64 send, const QString &text);
    void sendResult(quint64 send, tq::SendResultCode code, const QString &text);
    void sendFinished(quint64 send);

private:
    SettingsStore &m_settings;
    SoundPlayer &m_sound;
    const QString m_dataDir;
    SendTasks *m_tasks = nullptr;
    std::function<void(const SendRequest &)> m_sendStarter;
    quint64 m_lastStarted = 0; // numbers of sends the starter took
};

} // namespace tq
