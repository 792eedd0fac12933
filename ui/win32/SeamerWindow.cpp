#include "SeamerWindow.h"

#include "Win32Art.h"
#include "Win32Commands.h"

namespace carvel::win32 {

namespace {

HMENU seamerMenu() {
    HMENU mnuf = CreatePopupMenu();
    AppendMenuW(mnuf, MF_STRING, IdMnuab, L"&About");
    AppendMenuW(mnuf, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(mnuf, MF_STRING, IdMnuex, L"&Exit");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mnuf), L"&File");
    return bar;
}

} // namespace

SeamerWindow::SeamerWindow(WindowServices services)
    : Win32WindowView(SeamerFlow::kProgramTitle, {IdMnuab, IdMnuex}), m_services(services),
      m_join(m_frame, m_panelArt), m_joinView(m_frame, m_join),
      m_joinFlow(m_joinView, services.messageBox, services.fileDialog, services.fs,
                 services.uiThread, JoinPolicy::seamer()),
      m_flow(*this, services.messageBox, services.uiThread, services.fs, localNumberFormat(),
             m_joinFlow) {
    setProgramIcon(Art::programIcon(m_frame.scale()));
    m_frame.setGuard([this](const std::function<void()>& command) { m_flow.guarded(command); });
    m_frame.setMenu(seamerMenu());
    // Seamer's two buttons, in the order of the flag string's positions; their images are the
    // About and Exit images of the program's five.
    m_frame.buildToolbar({{"About", IdToolbarAbout, 2}, {"Exit", IdToolbarExit, 4}},
                         toolbarImages());
    m_frame.onClick(IdCmdSelectJoinFile, [this] { m_joinFlow.cmdSelectJoinFile_Click(); });
    m_frame.onClick(IdCmdSelectJoinTarget, [this] { m_joinFlow.cmdSelectJoinTarget_Click(); });
    m_frame.onClick(IdCmdJoin, [this] { m_joinFlow.cmdJoin_Click(); });
    m_frame.onCommand(IdToolbarAbout, [this](int) { m_flow.tbMenu_ButtonClick("About"); });
    m_frame.onCommand(IdToolbarExit, [this](int) { m_flow.tbMenu_ButtonClick("Exit"); });
    m_frame.onCommand(IdMnuab, [this](int) { m_flow.mnuab_Click(); });
    m_frame.onCommand(IdMnuex, [this](int) { m_flow.mnuex_Click(); });
    m_frame.onEscape([this] {
        if (m_cancelKey)
            m_flow.escape();
    });
    m_frame.onClose([this] {
        // A join in progress stops first, when the user wants it to.
        if (m_flow.mayClose())
            m_frame.destroy();
    });
    m_frame.onEndSession([this] { m_flow.stopAndQuit(); });
    m_frame.onDrop([this](const std::vector<std::string>& paths, POINT where) {
        if (m_flow.takesDrops())
            m_flow.filesDropped(paths, Win32Frame::isOver(m_join.txtJoinDestination, where));
    });
    m_flow.Form_Load();
}

SeamerWindow::~SeamerWindow() = default;

void SeamerWindow::start(const std::string& arguments) {
    m_flow.readCommandLine(arguments);
    if (!m_flow.quitting())
        m_frame.show();
}

void SeamerWindow::showPanel(Panel, bool focusFirstBox) {
    ShowWindow(m_join.JoinDialog, SW_SHOW);
    if (focusFirstBox)
        SetFocus(m_join.txtJoinSourceFile);
}

void SeamerWindow::showAbout() {
    Win32About box(m_services.shell, m_services.messageBox, Win32About::Program::Seamer,
                   aboutArt());
    box.showModal(m_frame.hwnd());
}

} // namespace carvel::win32
