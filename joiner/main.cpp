#include "QtFileDialog.h"
#include "QtMessageBox.h"
#include "QtShellExecute.h"
#include "StopOnSignals.h"
#include "frmSplitJoin.h"

#include <QApplication>
#include <QString>
#include <QTimer>

// Seamer joins a piece set back into its file. A piece given on its command line, as a file
// manager's "Open with" gives it, starts the window with that piece's set chosen.
int main(int argc, char** argv) {
    // The arguments joined by single blanks, so that a path with blanks given unquoted still
    // arrives whole, as Carvel takes the path after its "-J".
    QString arguments;
    for (int index = 1; index < argc; ++index) {
        if (index > 1)
            arguments += QLatin1Char(' ');
        arguments += QString::fromLocal8Bit(argv[index]);
    }

    // Qt is handed the program's name alone: it would otherwise take options such as "-platform"
    // or "-reverse" out of the arguments and act on them.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Seamer"));
    // Lets the desktop match the window to Seamer's menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.carvel.Seamer"));

    carvel::QtMessageBox messageBox;
    carvel::QtFileDialog fileDialog;
    carvel::QtShellExecute shell;
    carvel::joiner::frmSplitJoin window(messageBox, fileDialog, carvel::fileSystem(), shell);
    // A signal stops the join at its next copy step and ends the program after it.
    const carvel::StopOnSignals stopOnSignals([&window] { window.flow().stopAndQuit(); });
    // The command line is read once the program's event loop runs: a signal that comes while
    // its box waits then closes the box and ends the program, as at any later time.
    QTimer::singleShot(0, &window, [&window, &arguments] {
        window.readCommandLine(arguments);
        if (!window.flow().quitting())
            window.show();
    });
    return QApplication::exec();
}
