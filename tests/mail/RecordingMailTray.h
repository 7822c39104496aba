#pragma once

#include "mail/MailTray.h"

#include <QList>
#include <QMap>
#include <QString>

namespace tq::test {

// Records what was asked of the mail icons and keeps the icons a real tray would show.
class RecordingMailTray : public MailTray {
public:
    struct Call {
        bool show;
        int id;
        QString tip;
    };

    void showMailIcon(int id, const QString &tip) override
    {
        calls.append({true, id, tip});
        shown[id] = tip;
    }
    void removeMailIcon(int id) override
    {
        calls.append({false, id, {}});
        shown.remove(id);
    }

    int showCount(int id) const
    {
        int count = 0;
        for (const Call &call : calls)
            count += call.show && call.id == id;
        return count;
    }

    QList<Call> calls;
    QMap<int, QString> shown; // icon id -> tip of the icons in the tray now
};

} // namespace tq::test
