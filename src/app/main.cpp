#include "app/CTq20App.h"
#include "platform/OpenFileLimit.h"
#include "res/Translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    tq::raiseOpenFileLimit();
    QApplication application(argc, argv);
    tq::installTranslations();
    tq::CTq20App app(tq::CTq20App::parseArguments(QApplication::arguments()));
    return app.run();
}
