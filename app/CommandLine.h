#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Options that only print something are served before any
// window exists, so they need no display.
struct CommandLine {
    enum class Action {
        Run,          // start the editor, opening `file` after the splash when it is not empty
        Print,        // print `text` (help, version) and end
        PrintGameDir, // print the game directory start-up would use, without asking, and end
        Error,        // print `text` to the error stream and end
    };
    Action action = Action::Run;
    QString file; // absolute
    QString text;
};

// `arguments` as QCoreApplication::arguments() gives them, the program first. `strict` refuses
// options it does not know; without it they are left for Qt's own (-platform, -style).
CommandLine ParseCommandLine(const QStringList& arguments, bool strict);
