#pragma once

#include "prefs/FieldCheck.h"
#include "prefs/PrefsContext.h"

#include <QWidget>

#include <initializer_list>
#include <optional>

class QLabel;

namespace tq {

// One page of the preferences sheet. A page reads its settings when it is made and writes
// them on OK only when the user has seen it; a page never shown leaves the store as it was.
class PrefsPage : public QWidget {
    Q_OBJECT
public:
    PrefsPage(const PrefsContext &context, QWidget *parent);

    bool wasShown() const { return m_shown; }

    // Takes the values from the controls and tests them against the page's rules.
    virtual std::optional<FieldProblem> collect() = 0;
    // The user is told what is wrong, and the focus goes into the offending field.
    void complain(const FieldProblem &problem);
    // OK: writes the page's settings. Called only for a page that was shown and whose values
    // passed collect().
    virtual void apply() = 0;
    // Cancel.
    virtual void cancel() { }

protected:
    void showEvent(QShowEvent *event) override;
    // Once, the first time the page comes up.
    virtual void onFirstShow() { }
    virtual QWidget *fieldWidget(PrefField field) const = 0;
    void setHeadings(std::initializer_list<QLabel *> headings);

    const PrefsContext m_context;

private:
    bool m_shown = false;
};

} // namespace tq
