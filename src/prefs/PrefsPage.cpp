#include "prefs/PrefsPage.h"

#include "platform/Prompter.h"
#include "res/StringTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace tq {

PrefsPage::PrefsPage(const PrefsContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
}

void PrefsPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    setFont(m_context.font);
    onFirstShow();
}

void PrefsPage::setHeadings(std::initializer_list<QLabel *> headings)
{
    for (QLabel *heading : headings)
        heading->setFont(m_context.boldFont);
}

void PrefsPage::complain(const FieldProblem &problem)
{
    m_context.prompter.message(tqString(Sid::AppName), problem.prompt, Prompter::Icon::Exclamation);
    QWidget *field = fieldWidget(problem.field);
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->selectAll();
    else if (auto *spin = qobject_cast<QSpinBox *>(field))
        spin->selectAll();
    else if (auto *text = qobject_cast<QPlainTextEdit *>(field))
        text->selectAll();
}

} // namespace tq
