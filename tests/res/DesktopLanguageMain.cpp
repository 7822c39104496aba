// The language tests run twice: "--desktop-language=de" plays a German desktop (LANGUAGE=de),
// without it the desktop names no language. Either way the program's own start-up call picks
// the translation, before any window exists.
#include "res/DesktopLanguage.h"

#include "res/Translations.h"
#include "support/IsolatedHome.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace tq::test {
namespace {

DesktopLanguage g_language;

// Takes "--desktop-language=X" out of the arguments; gives X.
QString takeLanguageArgument(int &argc, char *argv[])
{
    constexpr char kOption[] = "--desktop-language=";
    QString language;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) == 0)
            language = QString::fromUtf8(argv[i] + sizeof kOption - 1);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return language;
}

} // namespace

const DesktopLanguage &desktopLanguage()
{
    return g_language;
}

void setDesktopLanguage(const DesktopLanguage &language)
{
    g_language = language;
}

QString inDesktopLanguage(const char *german, const char *english)
{
    return QString::fromUtf8(g_language.named == QLatin1String("de") ? german : english);
}

} // namespace tq::test

int main(int argc, char *argv[])
{
    const QString language = tq::test::takeLanguageArgument(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Only what this run names counts, not the settings of the machine the tests run on.
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", "C.UTF-8", 1);
    if (language.isEmpty())
        ::unsetenv("LANGUAGE");
    else
        ::setenv("LANGUAGE", language.toUtf8().constData(), 1);
    tq::test::isolateProcessHome();
    QApplication app(argc, argv);
    tq::test::setDesktopLanguage({language, tq::installTranslations()});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
