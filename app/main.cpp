#include "checkcommand.h"
#include "gtfscommand.h"
#include "mainwindow.h"
#include "voicecommand.h"

#include <QApplication>
#include <QIcon>
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
    // The command-line modes run without a display; --check and --help come first.
    const auto command = CheckCommand::wanted(arguments)   ? &CheckCommand::run
                         : GtfsCommand::wanted(arguments)  ? &GtfsCommand::run
                         : VoiceCommand::wanted(arguments) ? &VoiceCommand::run
                                                           : nullptr;
    if (command) {
        QCoreApplication app(argc, argv);
        setIdentity();
        QTextStream out(stdout);
        QTextStream err(stderr);
        out.setCodec("UTF-8");
        err.setCodec("UTF-8");
        return command(app.arguments(), out, err);
    }

    QApplication app(argc, argv);
    setIdentity();
    // Desktops match the windows to the installed menu entry and show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSALY_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(TESSALY_APP_ID)));
    // Window titles end in the program's name: "route12* — Tessaly".
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tessaly"));

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
