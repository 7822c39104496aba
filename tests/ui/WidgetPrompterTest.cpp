#include "ui/WidgetPrompter.h"

#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tq {
namespace {

using namespace Qt::StringLiterals;

// Acts on the box once it is up, as the user would, from inside the box's own event loop.
void whenTheBoxIsUp(std::function<void(QMessageBox &)> act)
{
    QTimer::singleShot(0, qApp, [act = std::move(act)] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            act(*box);
        else
            ADD_FAILURE() << "no box is up";
    });
}

TEST(WidgetPrompterTest, TheCheckBoxComesBackWithTheAnswerAndAPlainBoxHasNone)
{
    WidgetPrompter prompter;
    QString shownText;
    whenTheBoxIsUp([&](QMessageBox &box) {
        shownText = box.text();
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        ASSERT_NE(box.checkBox(), nullptr);
        EXPECT_EQ(box.checkBox()->text(), u"Do not ask again"_s);
        EXPECT_FALSE(box.checkBox()->isChecked());
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
        QTest::mouseClick(box.checkBox(), Qt::LeftButton);
        box.button(QMessageBox::Yes)->click();
    });
    const Prompter::CheckedAnswer checked =
        prompter.messageWithCheckBox(u"Caption"_s, u"<b>Send?</b>"_s, u"Do not ask again"_s, Prompter::Icon::Question,
                                     Prompter::Buttons::YesNo, Prompter::Answer::No);
    EXPECT_EQ(checked.answer, Prompter::Answer::Yes);
    EXPECT_TRUE(checked.checked);
    EXPECT_EQ(shownText, u"<b>Send?</b>"_s);

    whenTheBoxIsUp([](QMessageBox &box) {
        EXPECT_EQ(box.checkBox(), nullptr);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompter.message(u"Caption"_s, u"Sure?"_s, Prompter::Icon::Question, Prompter::Buttons::YesNo,
                               Prompter::Answer::Yes),
              Prompter::Answer::No);
}

} // namespace
} // namespace tq
