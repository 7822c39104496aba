#pragma once

#include "prefs/InterfaceSetupValues.h"
#include "prefs/PrefsPage.h"

#include <memory>

namespace Ui {
class QInterfaceSetup;
}

namespace tq {

// The Interface page: what the close button does, the send confirmation, paging and storing
// of messages, the arrival sound, the desktop notifications, the broadcast question and how
// often the address book's stations are looked at.
class QInterfaceSetup : public PrefsPage {
    Q_OBJECT
public:
    QInterfaceSetup(const PrefsContext &context, QWidget *parent = nullptr);
    ~QInterfaceSetup() override;

    std::optional<FieldProblem> collect() override;
    void apply() override;

protected:
    void onFirstShow() override;
    QWidget *fieldWidget(PrefField field) const override;

private:
    void browseSound();
    void playSound();

    std::unique_ptr<Ui::QInterfaceSetup> m_ui;
    InterfaceSetupValues m_values;
};

} // namespace tq
