#include "frmSplitJoin.h"

#include "Artwork.h"
#include "FileDrop.h"
#include "JoinPanel.h"
#include "QtNumberFormat.h"
#include "SplitPanel.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace carvel {

frmSplitJoin::frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                           QString arguments, std::function<void()> showAbout, QWidget* parent)
    : WindowFrame(parent), m_showAbout(std::move(showAbout)) {
    setWindowTitle(QLatin1String(CarvelFlow::kProgramTitle));

    // The keys and captions in the order of the flag string's positions.
    buildToolbar({"Split", "Join", "About", "Help", "Exit"},
                 [this](const QString& key) { m_flow->tbMenu_ButtonClick(key.toStdString()); });
    buildMenus();

    m_splitDialog =
        new SplitPanel(messageBox, fileDialog, fs, CarvelFlow::kProgramTitle, panelArea());
    m_joinDialog = new JoinPanel(messageBox, fileDialog, fs, JoinPolicy::carvel(), panelArea());
    placePanel(m_splitDialog);
    placePanel(m_joinDialog);
    // Both file buttons show the same picture.
    m_splitDialog->cmdSelectSplitFile()->setIcon(m_joinDialog->cmdSelectJoinFile()->icon());
    m_flow = std::make_unique<CarvelFlow>(*this, messageBox, uiThread(), fs, numberFormatOf(),
                                          m_splitDialog->flow(), m_joinDialog->flow(),
                                          arguments.toStdString());
    new FileDrop(*this, *m_flow, m_joinDialog->txtJoinDestination());
}

frmSplitJoin::~frmSplitJoin() = default;

void frmSplitJoin::buildMenus() {
    QMenu* mnuf = menuBar()->addMenu(QStringLiteral("&File"));
    mnuf->setObjectName(QStringLiteral("mnuf"));
    m_mnusp =
        addMenuEntry(mnuf, "mnusp", QStringLiteral("&Split"), [this] { m_flow->mnusp_Click(); });
    m_mnujn =
        addMenuEntry(mnuf, "mnujn", QStringLiteral("&Join"), [this] { m_flow->mnujn_Click(); });
    mnuf->addSeparator()->setObjectName(QStringLiteral("mnuds"));
    m_mnuex =
        addMenuEntry(mnuf, "mnuex", QStringLiteral("&Exit"), [this] { m_flow->mnuex_Click(); });

    QMenu* mnuh = menuBar()->addMenu(QStringLiteral("Help"));
    mnuh->setObjectName(QStringLiteral("mnuh"));
    m_mnuhp =
        addMenuEntry(mnuh, "mnuhp", QStringLiteral("&Help"), [this] { m_flow->mnuhp_Click(); });
    m_mnuab =
        addMenuEntry(mnuh, "mnuab", QStringLiteral("&About"), [this] { m_flow->mnuab_Click(); });
    pairMenuEntries({m_mnusp, m_mnujn, m_mnuab, m_mnuhp, m_mnuex});
}

void frmSplitJoin::showPanel(Panel panel, bool focusFirstBox) {
    QWidget* shown = panel == Panel::Split ? static_cast<QWidget*>(m_splitDialog) : m_joinDialog;
    QWidget* hidden = panel == Panel::Split ? static_cast<QWidget*>(m_joinDialog) : m_splitDialog;
    hidden->hide();
    shown->show();
    // The keys go to the panel now shown, never to a box of the hidden one.
    if (focusFirstBox)
        (panel == Panel::Split ? m_splitDialog->txtSplitSourceFile()
                               : m_joinDialog->txtJoinSourceFile())
            ->setFocus(Qt::OtherFocusReason);
}

void frmSplitJoin::showAbout() {
    if (m_showAbout)
        m_showAbout();
}

void frmSplitJoin::useHelp(HelpServices services, QString programFolder) {
    m_help.emplace(services, programFolder.toStdString());
}

void frmSplitJoin::showHelpContents() {
    if (m_help)
        m_help->showContents();
}

void frmSplitJoin::Form_QueryUnload() {
    if (m_help)
        m_help->unload();
}

void frmSplitJoin::closeEvent(QCloseEvent* event) {
    // A split or join in progress stops first, when the user wants it to.
    if (!m_flow->mayClose()) {
        event->ignore();
        return;
    }
    try {
        Form_QueryUnload();
    } catch (...) {
        // Closing always succeeds.
    }
    event->accept();
}

} // namespace carvel
