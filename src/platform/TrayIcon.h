#pragma once

#include <QString>

#include <functional>

class QMenu;

namespace tq {

// One notification-area icon. The look is named by its icon resource ("IDI_AMAINFRAME",
// "IDI_ICON1" ... "IDI_ICON11"), so the deciding code never touches a picture.
class TrayIcon {
public:
    enum class Activation { Click, DoubleClick, Context, Other };

    virtual ~TrayIcon() = default;

    // Whether the desktop has a notification area at the moment. Without one, nothing may
    // be hidden in the expectation that the icon brings it back.
    virtual bool isAvailable() const = 0;
    virtual void setIconName(const QString &name) = 0;
    // At most kMaxTipLength characters; longer tips are cut.
    virtual void setToolTip(const QString &tip) = 0;
    // Adds the icon; harmless when it is already there.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
    virtual void setActivationHandler(std::function<void(Activation)> handler) = 0;
    // The menu the desktop pops up for the icon (on a right click, or however the desktop
    // asks for an icon's menu). The caller keeps the menu.
    virtual void setContextMenu(QMenu *menu) = 0;
    // A desktop notification coming from the icon: a title and a short text. Without a
    // notification area it still goes to the desktop's notification service.
    virtual void showMessage(const QString &title, const QString &text) = 0;

    static constexpr int kMaxTipLength = 63;
};

} // namespace tq
