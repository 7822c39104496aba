#pragma once

#include "platform/UniqueFd.h"
#include "platform/WakeupEvent.h"

#include <QByteArray>
#include <QByteArrayList>

#include <functional>
#include <mutex>
#include <thread>

namespace tq::test {

// A loopback server that plays a script: it greets each connection (or stays silent when the
// greeting is empty) and answers every line it receives with what `answer` returns for it
// (nothing when that is empty). For servers that misbehave in ways real ones do not.
class ScriptedMailServer {
public:
    using Answer = std::function<QByteArray(const QByteArray &line)>;

    ScriptedMailServer(QByteArray greeting, Answer answer);
    // Answers as a POP3 server that takes every command, with `statReply` for STAT.
    static Answer pop3(QByteArray statReply)
    {
        return [statReply](const QByteArray &line) { return line.startsWith("STAT") ? statReply : "+OK\r\n"; };
    }
    // Answers as an SMTP server that takes every mail; with `answerQuit` false it never
    // answers QUIT, and with `answerDataEnd` false never the end of a mail's text.
    static Answer smtp(bool answerQuit = true, bool answerDataEnd = true);
    ~ScriptedMailServer();

    int port() const { return m_port; }
    QString serverText() const;
    QByteArrayList receivedLines() const;
    int connectionCount() const;

private:
    void run();
    void serve(int fd);

    const QByteArray m_greeting;
    const Answer m_answer;
    UniqueFd m_listen;
    int m_port = 0;
    WakeupEvent m_wakeup;
    mutable std::mutex m_mutex;
    QByteArrayList m_lines;
    int m_connections = 0;
    std::jthread m_thread;
};

} // namespace tq::test
