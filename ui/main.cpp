#include "MachineHelpServices.h"
#include "QtFileDialog.h"
#include "QtMessageBox.h"
#include "QtShellExecute.h"
#include "StopOnSignals.h"
#include "frmAbout.h"
#include "frmSplitJoin.h"

#include <QApplication>
#include <QString>

int main(int argc, char** argv) {
    // The argument text exactly as the program got it: the arguments joined by single blanks,
    // quotes that reached the program kept.
    QString arguments;
    for (int index = 1; index < argc; ++index) {
        if (index > 1)
            arguments += QLatin1Char(' ');
        arguments += QString::fromLocal8Bit(argv[index]);
    }

    // Qt is handed the program's name alone: the arguments are Carvel's, and Qt would take
    // options such as "-platform" or "-reverse" out of them and act on them.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Carvel"));
    // Lets the desktop match the window to Carvel's menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.carvel.Carvel"));

    carvel::QtMessageBox messageBox;
    carvel::QtFileDialog fileDialog;
    carvel::QtShellExecute shell;
    const auto showAbout = [&shell, &messageBox] {
        carvel::frmAbout box(shell, messageBox, carvel::frmAbout::Program::Carvel);
        box.exec();
    };
    // Created before the window, so the help windows outlive its unload step.
    carvel::MachineHelpServices helpServices;
    carvel::frmSplitJoin window(messageBox, fileDialog, carvel::fileSystem(), arguments, showAbout);
    window.useHelp(helpServices.services(), QCoreApplication::applicationDirPath());
    window.flow().Form_Load();
    // A signal stops the work at its next copy step and ends the program after it.
    const carvel::StopOnSignals stopOnSignals([&window] { window.flow().stopAndQuit(); });
    window.show();
    return QApplication::exec();
}
