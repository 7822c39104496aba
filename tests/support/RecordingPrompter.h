#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

namespace tq::test {

// Records every box and dialog asked for and answers from a script (default: the box's
// default answer with its check box left alone, or an empty file name).
class RecordingPrompter : public Prompter {
public:
    struct Box {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
        QString checkText; // empty: a box without a check box
        QString actionText; // empty: a box without an action button
    };

    Answer message(const QString &caption, const QString &text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override
    {
        return open({caption, text, icon, buttons, defaultAnswer, {}, {}}).answer;
    }
    CheckedAnswer messageWithCheckBox(const QString &caption, const QString &text, const QString &checkText, Icon icon,
                                      Buttons buttons, Answer defaultAnswer) override
    {
        return open({caption, text, icon, buttons, defaultAnswer, checkText, {}});
    }
    bool messageWithAction(const QString &caption, const QString &text, const QString &actionText, Icon icon) override
    {
        open({caption, text, icon, Buttons::Ok, Answer::Ok, {}, actionText});
        if (actions.empty())
            return false;
        const bool chosen = actions.front();
        actions.pop_front();
        return chosen;
    }
    QString openFileName(const QString &caption, const QString &initialPath, const QString &filter) override
    {
        return saveFileName(caption, initialPath, filter);
    }
    QString saveFileName(const QString &caption, const QString &initialPath, const QString &filter) override
    {
        fileDialogs.append({caption, initialPath, filter});
        if (whileOpen)
            whileOpen();
        if (fileNames.empty())
            return {};
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    std::deque<Answer> answers;
    // The check box's state at each answer of a box that has one.
    std::deque<bool> checks;
    // Whether each box with an action button is closed by that button (by OK when none is left).
    std::deque<bool> actions;
    std::deque<QString> fileNames;
    QList<Box> boxes;
    struct FileDialog {
        QString caption;
        QString initialPath;
        QString filter;
    };
    QList<FileDialog> fileDialogs;

    // A real box or dialog runs its own event loop until it is answered, so whatever is queued
    // meanwhile (an arrival from a receiver, a timer) is handled before its caller goes on.
    // Set, this runs while each box or dialog is open, after it has been recorded: a test
    // delivers arrivals here and lets the loop run until they have been handled.
    std::function<void()> whileOpen;

private:
    CheckedAnswer open(const Box &box)
    {
        boxes.append(box);
        if (whileOpen)
            whileOpen();
        CheckedAnswer result{box.defaultAnswer, false};
        if (!answers.empty()) {
            result.answer = answers.front();
            answers.pop_front();
        }
        if (!box.checkText.isEmpty() && !checks.empty()) {
            result.checked = checks.front();
            checks.pop_front();
        }
        return result;
    }
};

} // namespace tq::test
