#include "checkcommand.h"
#include "gtfscommand.h"
#include "mainwindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

namespace {

// These two names choose where the per-user settings live.
void setIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("OOO Vantor"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The check and the feed modes run without a display.
    const bool gtfs = GtfsCommand::wanted(arguments) && !CheckCommand::wanted(arguments);
    if (gtfs || CheckCommand::wanted(arguments)) {
        QCoreApplication app(argc, argv);
        setIdentity();
        QTextStream out(stdout);
        QTextStream err(stderr);
        out.setCodec("UTF-8");
        err.setCodec("UTF-8");
        return gtfs ? GtfsCommand::run(app.arguments(), out, err)
                    : CheckCommand::run(app.arguments(), out, err);
    }

    QApplication app(argc, argv);
    setIdentity();

    // Only Qt's own texts need translating; installed even when no file is found.
    QTranslator qtTranslator;
    qtTranslator.load(QStringLiteral("qt_") + QLocale::system().name(),
                      QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    app.installTranslator(&qtTranslator);

    MainWindow window;
    window.show();
    window.openFolders(app.arguments().mid(1));
    window.offerRecovery();
    return app.exec();
}
