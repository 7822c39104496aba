#include "app/StatusNotices.h"

#include <QStringList>

namespace tq {

StatusNotices::StatusNotices(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("statusNotices"));
    setTextFormat(Qt::PlainText);
    hide();
}

void StatusNotices::setNotice(Topic topic, const QString &text)
{
    if (text.isEmpty())
        m_notices.erase(topic);
    else
        m_notices[topic] = text;
    QStringList texts;
    for (const auto &[key, notice] : m_notices)
        texts.append(notice);
    setText(texts.join(QStringLiteral("  ")));
    setToolTip(texts.join(QLatin1Char('\n')));
    setVisible(!texts.isEmpty());
}

} // namespace tq
