// `tessaly --voice [--replace] [--voice1 NAME] [--voice2 NAME] FOLDER...`: speaks the stops'
// announcements into sound files without a window, and saves each route as the editor does.
#pragma once

#include <QStringList>

class QTextStream;

class VoiceCommand
{
public:
    enum ExitCode
    {
        Done = 0,
        NotSaved = 1,   // some folder could not be voiced or saved
        Unreadable = 2, // some folder is no route folder, or the command line is wrong
    };

    static bool wanted(const QStringList &arguments);
    // Its lines of the `--help` text.
    static QString usageText();
    static QString optionsText();
    static QString exitText();
    // Needs an application object for the settings.
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
};
