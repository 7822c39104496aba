#include "ui/WidgetPrompter.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tq {
namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompter::Icon::Stop:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton boxButton(Prompter::Answer answer)
{
    switch (answer) {
    case Prompter::Answer::Ok:
        return QMessageBox::Ok;
    case Prompter::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompter::Answer::Yes:
        return QMessageBox::Yes;
    case Prompter::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompter::Answer WidgetPrompter::message(const QString &caption, const QString &text, Icon icon, Buttons buttons,
                                         Answer defaultAnswer)
{
    return run(caption, text, {}, icon, buttons, defaultAnswer).answer;
}

Prompter::CheckedAnswer WidgetPrompter::messageWithCheckBox(const QString &caption, const QString &text,
                                                            const QString &checkText, Icon icon, Buttons buttons,
                                                            Answer defaultAnswer)
{
    return run(caption, text, checkText, icon, buttons, defaultAnswer);
}

Prompter::CheckedAnswer WidgetPrompter::run(const QString &caption, const QString &text, const QString &checkText,
                                            Icon icon, Buttons buttons, Answer defaultAnswer)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::NoButton, m_parent);
    box.setTextFormat(Qt::PlainText);
    if (!checkText.isEmpty())
        box.setCheckBox(new QCheckBox(checkText, &box));
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(boxButton(defaultAnswer));
    const int pressed = box.exec();
    const bool checked = box.checkBox() && box.checkBox()->isChecked();
    switch (pressed) {
    case QMessageBox::Yes:
        return {Answer::Yes, checked};
    case QMessageBox::No:
        return {Answer::No, checked};
    case QMessageBox::Cancel:
        return {Answer::Cancel, checked};
    default:
        return {buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel),
                checked};
    }
}

bool WidgetPrompter::messageWithAction(const QString &caption, const QString &text, const QString &actionText,
                                       Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    QPushButton *action = box.addButton(actionText, QMessageBox::ActionRole);
    box.exec();
    return box.clickedButton() == action;
}

QString WidgetPrompter::openFileName(const QString &caption, const QString &initialPath, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, initialPath, filter);
}

QString WidgetPrompter::saveFileName(const QString &caption, const QString &initialPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, initialPath, filter);
}

} // namespace tq
