#pragma once

#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace tq {

// The real prompter: QMessageBox and QFileDialog over the given parent window.
class WidgetPrompter : public Prompter {
public:
    explicit WidgetPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const QString &caption, const QString &text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    CheckedAnswer messageWithCheckBox(const QString &caption, const QString &text, const QString &checkText, Icon icon,
                                      Buttons buttons, Answer defaultAnswer) override;
    bool messageWithAction(const QString &caption, const QString &text, const QString &actionText, Icon icon) override;
    QString openFileName(const QString &caption, const QString &initialPath, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &initialPath, const QString &filter) override;

private:
    CheckedAnswer run(const QString &caption, const QString &text, const QString &checkText, Icon icon, Buttons buttons,
                      Answer defaultAnswer);

    QPointer<QWidget> m_parent;
};

} // namespace tq
