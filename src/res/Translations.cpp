#include "res/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tq {
namespace {

// The program's translations are compiled into it; Qt's own come from Qt's folder.
constexpr char kOwnFolder[] = ":/i18n";
constexpr char kOwnName[] = "tarquel";
constexpr char kQtName[] = "qtbase";

bool isBuiltIn(const QLocale &locale)
{
    return locale.language() == QLocale::English || locale.language() == QLocale::C;
}

// Loads `name`_ + the locale's name from `folder` ("tarquel_de_AT", then "tarquel_de") and
// installs it.
bool install(const QLocale &locale, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

QString installTranslations()
{
    for (const QString &name : QLocale::system().uiLanguages()) {
        const QLocale locale(name);
        if (isBuiltIn(locale))
            return {};
        if (install(locale, QLatin1String(kOwnName), QLatin1String(kOwnFolder))) {
            // Qt's dialogs and buttons speak the same language, where Qt's translation is there.
            install(locale, QLatin1String(kQtName), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return QLocale::languageToCode(locale.language());
        }
    }
    return {};
}

} // namespace tq
