#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>

#include <deque>

namespace tq::test {

// Records every box and dialog asked for and answers from a script (default: the box's
// default answer, or an empty file name).
class RecordingPrompter : public Prompter {
public:
    struct Box {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
    };

    Answer message(const QString &caption, const QString &text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override
    {
        boxes.append({caption, text, icon, buttons, defaultAnswer});
        if (answers.empty())
            return defaultAnswer;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString openFileName(const QString &caption, const QString &initialPath, const QString &filter) override
    {
        return saveFileName(caption, initialPath, filter);
    }
    QString saveFileName(const QString &caption, const QString &initialPath, const QString &filter) override
    {
        fileDialogs.append({caption, initialPath, filter});
        if (fileNames.empty())
            return {};
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    std::deque<Answer> answers;
    std::deque<QString> fileNames;
    QList<Box> boxes;
    struct FileDialog {
        QString caption;
        QString initialPath;
        QString filter;
    };
    QList<FileDialog> fileDialogs;
};

} // namespace tq::test
