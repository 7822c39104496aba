#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

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
    // The text of the button that keeps the message for delivery later.
    static QString deliverLaterText();

    // Shows the "Deliver when reachable" button; hidden until whoever opens the dialog can
    // keep the message.
    void offerDeliveryLater(bool offered);

Q_SIGNALS:
    // The user wants the listed destinations tried again until they answer; the dialog has
    // closed.
    void deliverLaterRequested(const QStringList &destinations);

protected:
    void showEvent(QShowEvent *event) override;

private:
    SoundPlayer &m_sounds;
    bool m_soundPlayed = false;
    QPlainTextEdit *m_hosts = nullptr;
    QPushButton *m_deliverLater = nullptr;
};

} // namespace tq
