#include "prefs/BrowseRules.h"
#include "prefs/EMailSetupValues.h"
#include "prefs/FilteringSetupValues.h"
#include "prefs/GeneralSetupValues.h"
#include "settings/SettingsStore.h"

#include "support/Files.h"
#include "support/IsolatedHome.h"
#include "support/QtPrinters.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tq {
namespace {

class PrefsRulesTest : public test::IsolatedHome {
protected:
    SettingsStore settings;
};

std::optional<PrefField> problemField(const std::optional<FieldProblem> &problem)
{
    return problem ? std::optional<PrefField>(problem->field) : std::nullopt;
}

TEST_F(PrefsRulesTest, PortDelayAndSignatureHaveTheirLimits)
{
    GeneralSetupValues values = GeneralSetupValues::read(settings);
    EXPECT_EQ(values.check(), std::nullopt);
    for (const char *port : {"1024", "", "99999999999", "12a", "65536"}) {
        values.portText = QLatin1String(port);
        EXPECT_EQ(problemField(values.check()), PrefField::Port) << port;
    }
    for (const char *port : {"1025", "65535"}) {
        values.portText = QLatin1String(port);
        EXPECT_EQ(values.check(), std::nullopt) << port;
    }
    for (const char *delay : {"0", "600001"}) {
        values.delayText = QLatin1String(delay);
        EXPECT_EQ(problemField(values.check()), PrefField::Delay) << delay;
    }
    values.delayText = QStringLiteral("600000");
    values.signature = QString(257, u'x');
    EXPECT_EQ(problemField(values.check()), PrefField::Signature);
}

TEST_F(PrefsRulesTest, MailFieldsHaveLimits)
{
    EMailSetupValues values = EMailSetupValues::read(settings);
    values.mailCheckingTime = 0;
    EXPECT_EQ(problemField(values.check()), PrefField::MailCheckingTime);
    values.mailCheckingTime = 121;
    EXPECT_EQ(problemField(values.check()), PrefField::MailCheckingTime);
    values.mailCheckingTime = 120;
    values.second.password = QString(37, u'p');
    EXPECT_EQ(problemField(values.check()), PrefField::Password2);
    values.second.password = QString(36, u'p');
    values.first.user = QString(257, u'u');
    EXPECT_EQ(problemField(values.check()), PrefField::UserName1);
}

TEST_F(PrefsRulesTest, MailCheckingNeedsACompleteFirstMailboxAndIsNotSwitchedBackOnByCompletingIt)
{
    EMailPageState shownIncomplete(true, false);
    shownIncomplete.shown({QStringLiteral("pop"), QString(), {}});
    EXPECT_TRUE(shownIncomplete.mailChecking()) << "showing the page changes no value";
    EXPECT_FALSE(shownIncomplete.states().mailCheckBox);
    EXPECT_FALSE(shownIncomplete.states().mailDetails);

    EMailPageState state(true, true);
    state.shown({QStringLiteral("pop"), QStringLiteral("ann"), {}});
    state.firstMailboxEdited(QStringLiteral("pop"), QString());
    EXPECT_EQ(state.states(), (EMailControlStates{false, false, false, true}));
    state.firstMailboxEdited(QStringLiteral("pop"), QStringLiteral("a"));
    EXPECT_FALSE(state.mailChecking());
    EXPECT_EQ(state.states(), (EMailControlStates{true, false, true, true}));
    EXPECT_TRUE(state.toggleMailChecking());
    EXPECT_TRUE(state.states().mailDetails);
}

TEST_F(PrefsRulesTest, KillWordTextReadsLinesWithCrLfAndSavesTheEditWhole)
{
    const QString path = appDataDir() + QStringLiteral("KillFile.tqm");
    EXPECT_EQ(KillWordText::load(path).text(), QString()) << "a missing file gives an empty text";

    ASSERT_TRUE(test::writeFile(path, "spam\n\xc4rger, free money"));
    const KillWordText text = KillWordText::load(path);
    EXPECT_EQ(text.text(), QStringLiteral("spam\n\u00c4rger, free money\n"));

    ASSERT_TRUE(text.save(path, text.text()));
    EXPECT_EQ(test::readFile(path), QByteArray("spam\r\n\xc4rger, free money\r\n"))
        << "unchanged words keep their bytes";

    ASSERT_TRUE(text.save(path, QStringLiteral("spam\n\u00c4rger")));
    EXPECT_EQ(test::readFile(path), QByteArray("spam\r\n\xc3\x84rger")) << "no line end is added";
}

TEST_F(PrefsRulesTest, FileFiltersPutEveryFileFirstForPrograms)
{
    EXPECT_EQ(dialogFileFilter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||")),
              QStringLiteral("Text Files (*.txt);;All Files (*)"));
    EXPECT_EQ(dialogFileFilter(QStringLiteral("Applications (*.exe)|*.exe|All Files (*.*)|*.*||")),
              QStringLiteral("All Files (*);;Applications (*.exe)"));
}

TEST_F(PrefsRulesTest, BrowseStartsAtTheFieldsFileOrTheFallback)
{
    const QString existing = appDataDir() + QStringLiteral("sound.wav");
    ASSERT_TRUE(test::writeFile(existing, {}));
    EXPECT_EQ(browseInitialName(existing, QStringLiteral("receive.wav")), existing);
    EXPECT_EQ(browseInitialName(existing + QStringLiteral("x"), QStringLiteral("receive.wav")),
              QStringLiteral("receive.wav"));
    EXPECT_EQ(browseInitialName(appDataDir(), QStringLiteral("*.exe")), QStringLiteral("*.exe")) << "a folder";
    EXPECT_EQ(withDefaultSuffix(QStringLiteral("/tmp/dead"), QStringLiteral("txt")), QStringLiteral("/tmp/dead.txt"));
    EXPECT_EQ(withDefaultSuffix(QStringLiteral("/tmp/dead.log"), QStringLiteral("txt")),
              QStringLiteral("/tmp/dead.log"));
}

} // namespace
} // namespace tq
