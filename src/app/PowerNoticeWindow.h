#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace tq {

// The small notice shown while the background processes stop before a suspend and start
// again after it. It does not block: it closes by itself after a while.
class PowerNoticeWindow : public QDialog {
    Q_OBJECT
public:
    explicit PowerNoticeWindow(QWidget *parent = nullptr);

    // Shows `text` (line ends in any of the forms the string table holds) for `durationMs`.
    void showNotice(const QString &text, int durationMs);
    QString text() const;

private:
    QLabel *m_text = nullptr;
    QTimer m_closeTimer;
};

} // namespace tq
