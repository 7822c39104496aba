#pragma once

#include <QString>

namespace tq {

// Message boxes and file dialogs, behind one small interface: the windows use the real one,
// tests put a recording fake in its place, so no test ever waits on a modal window.
class Prompter {
public:
    enum class Icon { None, Information, Question, Exclamation, Stop };
    enum class Buttons { Ok, YesNo, OkCancel };
    enum class Answer { Ok, Cancel, Yes, No };
    struct CheckedAnswer {
        Answer answer = Answer::Ok;
        bool checked = false;
    };

    virtual ~Prompter() = default;

    // A modal box. `text` is shown as plain text: it may hold what came from the network.
    virtual Answer message(const QString &caption, const QString &text, Icon icon, Buttons buttons = Buttons::Ok,
                           Answer defaultAnswer = Answer::Ok) = 0;
    // The same box with a check box under the text ("Do not ask again", say), unchecked when
    // the box opens; the answer comes with the check box's state.
    virtual CheckedAnswer messageWithCheckBox(const QString &caption, const QString &text, const QString &checkText,
                                              Icon icon, Buttons buttons, Answer defaultAnswer) = 0;
    // An OK box with one more button, `actionText`, for something the user may do about what
    // the box says ("Deliver when reachable"); true when that button closed it.
    virtual bool messageWithAction(const QString &caption, const QString &text, const QString &actionText,
                                   Icon icon) = 0;
    // File dialogs; an empty result means the user cancelled. `filter` uses Qt's notation
    // ("Sounds (*.wav);;All files (*)").
    virtual QString openFileName(const QString &caption, const QString &initialPath, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &initialPath, const QString &filter) = 0;
};

} // namespace tq
