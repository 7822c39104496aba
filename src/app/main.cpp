#include "app/CTq20App.h"
#include "platform/OpenFileLimit.h"
#include "platform/TerminationSignals.h"
#include "res/Translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Before any thread: a SIGTERM in the first moments of start-up ends the program as
    // cleanly as a later one does.
    tq::TerminationSignals::holdUntilTakenOver();
    tq::raiseOpenFileLimit();
    QApplication application(argc, argv);
    tq::installTranslations();
    tq::CTq20App app(tq::CTq20App::parseArguments(QApplication::arguments()));
    return app.run();
}
