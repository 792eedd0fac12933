#include "QtFileDialog.h"
#include "QtMessageBox.h"
#include "QtShellExecute.h"
#include "StopOnSignals.h"
#include "frmSplitJoin.h"

#include <QApplication>

// Seamer joins a piece set back into its file. Its command line is not read: whatever arguments
// it is given, it starts with an empty join panel.
int main(int argc, char** argv) {
    // Qt is handed the program's name alone: it would otherwise take options such as "-platform"
    // or "-reverse" from the arguments that Seamer ignores.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Seamer"));

    carvel::QtMessageBox messageBox;
    carvel::QtFileDialog fileDialog;
    carvel::QtShellExecute shell;
    carvel::joiner::frmSplitJoin window(messageBox, fileDialog, carvel::fileSystem(), shell);
    // A signal stops the join at its next copy step and ends the program after it.
    const carvel::StopOnSignals stopOnSignals([&window] { window.stopAndQuit(); });
    window.show();
    return QApplication::exec();
}
