#include "app/CMainFrame.h"
#include "settings/AppDataDir.h"
#include "settings/SettingsStore.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarquel International"));
    QApplication::setApplicationName(QStringLiteral("TarquelMessenger"));

    tq::SettingsStore settings;
    tq::AppDataDir::initialise();

    tq::CMainFrame frame(settings);
    frame.show();
    frame.StartProcesses();
    return QApplication::exec();
}
