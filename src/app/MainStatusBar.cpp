#include "app/MainStatusBar.h"

#include "app/StatusNotices.h"
#include "res/StringTable.h"
#include "settings/SettingsStore.h"

#include <QLabel>
#include <QStatusBar>

namespace tq {

MainStatusBar::MainStatusBar(QStatusBar *bar)
{
    for (int i = 0; i < 3; ++i) {
        m_panes[i] = new QLabel(bar);
        m_panes[i]->setObjectName(QStringLiteral("statusPane%1").arg(i));
    }
    bar->addWidget(m_panes[0], 1);
    m_panes[1]->setText(tqFormat(Sid::SendTime, 0, 0));
    bar->addPermanentWidget(m_panes[1]);
    m_panes[2]->setMinimumWidth(20);
    bar->addPermanentWidget(m_panes[2]);
    m_notices = new StatusNotices(bar);
    bar->addWidget(m_notices);
}

QLabel *MainStatusBar::pane(int index) const
{
    return index >= 0 && index < 3 ? m_panes[index] : nullptr;
}

void MainStatusBar::showPortSettingFaults(const SettingsStore &settings)
{
    QStringList texts;
    for (const PortSettingFault &fault : portSettingFaults(settings))
        texts.append(tqFormat(Sid::PortSettingOutOfRange, fault.entry, fault.stored, fault.used));
    m_notices->setNotice(StatusNotices::Topic::Ports, texts.join(QLatin1Char(' ')));
}

void MainStatusBar::showLargeFilesSkipped(int count)
{
    m_notices->setNotice(StatusNotices::Topic::StoredMessages, tqFormat(Sid::LargeMessageFilesSkipped, count));
}

} // namespace tq
