#pragma once

#include "prefs/FilteringSetupValues.h"
#include "prefs/PrefsPage.h"

#include <memory>

namespace Ui {
class QFilteringSetup;
}

namespace tq {

// The Filtering page: the kill words, the duplicate and address-book filters, the UDP
// notifications and the file of held-back messages.
class QFilteringSetup : public PrefsPage {
    Q_OBJECT
public:
    QFilteringSetup(const PrefsContext &context, QWidget *parent = nullptr);
    ~QFilteringSetup() override;

    std::optional<FieldProblem> collect() override;
    // Writes the settings, then the kill-word file whole.
    void apply() override;

protected:
    // The kill-word file is read only now: a sheet closed without visiting the page never
    // touches it.
    void onFirstShow() override;
    QWidget *fieldWidget(PrefField) const override { return nullptr; }

private:
    void browseDeadFile();
    void viewDeadFile();

    std::unique_ptr<Ui::QFilteringSetup> m_ui;
    FilteringSetupValues m_values;
    KillWordText m_killWords;
};

} // namespace tq
