#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace tq {

class SoundPlayer;

// The list of destinations a send could not confirm, for lists too long for a message box.
// It sounds "SystemAsterisk" when it opens.
class CFailedHostsDlg : public QDialog {
    Q_OBJECT
public:
    // `hosts`: one destination a line (CR LF); `sounds` must outlive the opening.
    CFailedHostsDlg(const QString &caption, const QString &hosts, SoundPlayer &sounds, QWidget *parent = nullptr);

    QString hostsText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    SoundPlayer &m_sounds;
    bool m_soundPlayed = false;
    QPlainTextEdit *m_hosts = nullptr;
};

} // namespace tq
