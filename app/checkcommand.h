// `tessaly --check FOLDER...`: the route check without a window, for scripts and depots.
#pragma once

#include <QStringList>

class QTextStream;

class CheckCommand
{
public:
    enum ExitCode
    {
        Clean = 0,      // no errors (warnings and notes allowed)
        HasErrors = 1,  // some folder has errors
        Unreadable = 2, // some folder is no route folder, or the command line is wrong
    };

    // Whether the arguments (program name first) ask for the command line instead of the window.
    static bool wanted(const QStringList &arguments);
    // Runs the command; needs an application object for the settings.
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
    static QString helpText();
};
