#pragma once

#include "platform/LoginAutostart.h"
#include "prefs/GeneralSetupValues.h"
#include "prefs/PrefsPage.h"

#include <memory>

class QLineEdit;

namespace Ui {
class QGeneralSetup;
}

namespace tq {

// The General page: the user's names, signature and address, the port, the send delay and
// the transport, with presets for port and delay; and whether the program starts at log-in,
// which is the desktop's autostart entry rather than a setting.
class QGeneralSetup : public PrefsPage {
    Q_OBJECT
public:
    QGeneralSetup(const PrefsContext &context, QWidget *parent = nullptr);
    ~QGeneralSetup() override;

    std::optional<FieldProblem> collect() override;
    // Asks before a changed port is written; declined, the stored port comes back into the
    // page and everything else is still written.
    void apply() override;

protected:
    void onFirstShow() override;
    QWidget *fieldWidget(PrefField field) const override;

private:
    void showValues();
    void updatePresets();
    void applyPreset(QLineEdit *field, int value);
    void applyAutostart();

    std::unique_ptr<Ui::QGeneralSetup> m_ui;
    GeneralSetupValues m_values;
    LoginAutostart m_autostart;
};

} // namespace tq
