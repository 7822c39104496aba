#pragma once

// Stand-ins for the desktop services and a loopback client, shared by the benchmarks.
#include "platform/Prompter.h"
#include "platform/SoundPlayer.h"
#include "platform/TrayIcon.h"

#include <QByteArray>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>

namespace tq::bench {

// Every question is answered Yes, no extra button is pressed; no file dialog picks anything.
class QuietPrompter : public Prompter {
public:
    Answer message(const QString &, const QString &, Icon, Buttons, Answer) override { return Answer::Yes; }
    CheckedAnswer messageWithCheckBox(const QString &, const QString &, const QString &, Icon, Buttons, Answer) override
    {
        return {Answer::Yes, false};
    }
    bool messageWithAction(const QString &, const QString &, const QString &, Icon) override { return false; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

class SilentSound : public SoundPlayer {
public:
    void play(const QString &, Fallback) override { }
    void beep() override { }
};

// The icon is set as the program would set it, on a desktop without a notification area.
class NoTray : public TrayIcon {
public:
    bool isAvailable() const override { return false; }
    void setIconName(const QString &name) override { m_name = name; }
    void setToolTip(const QString &tip) override { m_tip = tip; }
    void show() override { m_shown = true; }
    void hide() override { m_shown = false; }
    bool isShown() const override { return m_shown; }
    void setActivationHandler(std::function<void(Activation)>) override { }
    void setContextMenu(QMenu *) override { }
    void showMessage(const QString &, const QString &) override { }

private:
    QString m_name;
    QString m_tip;
    bool m_shown = false;
};

// One stream packet to the loopback listener on `port`; true when an answer came back.
inline bool exchange(int port, const QByteArray &packet)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::send(fd, packet.constData(), packet.size(), MSG_NOSIGNAL) == packet.size();
    char answer[16];
    ok = ok && ::recv(fd, answer, sizeof answer, 0) > 0;
    // No TIME_WAIT on the client's side, so a long run does not run out of loopback ports.
    const linger abort{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd);
    return ok;
}

} // namespace tq::bench
