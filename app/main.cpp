#include "mainwindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // These two names choose where the per-user settings live.
    QCoreApplication::setOrganizationName(QStringLiteral("OOO Vantor"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));

    // Only Qt's own texts need translating; installed even when no file is found.
    QTranslator qtTranslator;
    qtTranslator.load(QStringLiteral("qt_") + QLocale::system().name(),
                      QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    app.installTranslator(&qtTranslator);

    MainWindow window;
    window.show();
    window.openFolders(app.arguments().mid(1));
    return app.exec();
}
