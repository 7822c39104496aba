#pragma once

#include <QLabel>

#include <map>

namespace tq {

// A status-bar pane for lasting notices about the program's own state (a setting that could
// not be used, files that were left aside). Each topic holds one text; the pane shows all of
// them and hides itself while there is none.
class StatusNotices : public QLabel {
    Q_OBJECT
public:
    enum class Topic { Ports, StoredMessages };

    explicit StatusNotices(QWidget *parent = nullptr);

    // An empty text takes the topic's notice away.
    void setNotice(Topic topic, const QString &text);

private:
    std::map<Topic, QString> m_notices;
};

} // namespace tq
