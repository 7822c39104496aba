#include "app/CTq20App.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tq::CTq20App app(tq::CTq20App::parseArguments(QApplication::arguments()));
    return app.run();
}
