#include "CarvelWindow.h"

#include "Win32Art.h"
#include "Win32Commands.h"

namespace carvel::win32 {

namespace {

HMENU carvelMenu() {
    HMENU mnuf = CreatePopupMenu();
    AppendMenuW(mnuf, MF_STRING, IdMnusp, L"&Split");
    AppendMenuW(mnuf, MF_STRING, IdMnujn, L"&Join");
    AppendMenuW(mnuf, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(mnuf, MF_STRING, IdMnuex, L"&Exit");
    HMENU mnuh = CreatePopupMenu();
    AppendMenuW(mnuh, MF_STRING, IdMnuhp, L"&Help");
    AppendMenuW(mnuh, MF_STRING, IdMnuab, L"&About");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mnuf), L"&File");
    // "Help" has no access key.
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mnuh), L"Help");
    return bar;
}

} // namespace

CarvelWindow::CarvelWindow(WindowServices services, std::string arguments)
    : Win32WindowView(CarvelFlow::kProgramTitle, {IdMnusp, IdMnujn, IdMnuab, IdMnuhp, IdMnuex}),
      m_services(services), m_split(m_frame, m_panelArt), m_join(m_frame, m_panelArt),
      m_splitView(m_frame, m_split), m_joinView(m_frame, m_join),
      m_splitFlow(m_splitView, services.messageBox, services.fileDialog, services.fs,
                  services.uiThread, CarvelFlow::kProgramTitle, localNumberFormat()),
      m_joinFlow(m_joinView, services.messageBox, services.fileDialog, services.fs,
                 services.uiThread, JoinPolicy::carvel()),
      m_flow(*this, services.messageBox, services.uiThread, services.fs, localNumberFormat(),
             m_splitFlow, m_joinFlow, std::move(arguments)) {
    setProgramIcon(Art::programIcon(m_frame.scale()));
    m_frame.setGuard([this](const std::function<void()>& command) { m_flow.guarded(command); });
    m_frame.setMenu(carvelMenu());
    // The keys and captions in the order of the flag string's positions.
    m_frame.buildToolbar({{"Split", IdToolbarSplit, 0},
                          {"Join", IdToolbarJoin, 1},
                          {"About", IdToolbarAbout, 2},
                          {"Help", IdToolbarHelp, 3},
                          {"Exit", IdToolbarExit, 4}},
                         toolbarImages());
    connectControls();
    connectCommands();
}

CarvelWindow::~CarvelWindow() = default;

void CarvelWindow::connectControls() {
    m_frame.onCommand(IdTxtSplitSourceFile, [this](int code) {
        if (code == EN_CHANGE)
            m_splitFlow.txtSplitSourceFile_Change();
    });
    m_frame.onClick(IdCmdSelectSplitFile, [this] { m_splitFlow.cmdSelectSplitFile_Click(); });
    m_frame.onClick(IdOptSizeModeKB, [this] { m_splitFlow.optSizeMode_Click(0); });
    m_frame.onClick(IdOptSizeModeMB, [this] { m_splitFlow.optSizeMode_Click(1); });
    m_frame.onClick(IdCmdSplit, [this] { m_splitFlow.cmdSplit_Click(); });
    m_frame.onClick(IdCmdSelectJoinFile, [this] { m_joinFlow.cmdSelectJoinFile_Click(); });
    m_frame.onClick(IdCmdSelectJoinTarget, [this] { m_joinFlow.cmdSelectJoinTarget_Click(); });
    m_frame.onClick(IdCmdJoin, [this] { m_joinFlow.cmdJoin_Click(); });
}

void CarvelWindow::connectCommands() {
    const std::pair<int, const char*> keys[] = {{IdToolbarSplit, "Split"},
                                                {IdToolbarJoin, "Join"},
                                                {IdToolbarAbout, "About"},
                                                {IdToolbarHelp, "Help"},
                                                {IdToolbarExit, "Exit"}};
    for (const auto& [id, key] : keys)
        m_frame.onCommand(id,
                          [this, key = std::string(key)](int) { m_flow.tbMenu_ButtonClick(key); });
    m_frame.onCommand(IdMnusp, [this](int) { m_flow.mnusp_Click(); });
    m_frame.onCommand(IdMnujn, [this](int) { m_flow.mnujn_Click(); });
    m_frame.onCommand(IdMnuex, [this](int) { m_flow.mnuex_Click(); });
    m_frame.onCommand(IdMnuhp, [this](int) { m_flow.mnuhp_Click(); });
    m_frame.onCommand(IdMnuab, [this](int) { m_flow.mnuab_Click(); });
    m_frame.onEscape([this] {
        if (m_cancelKey)
            m_flow.escape();
    });
    m_frame.onClose([this] {
        // A split or join in progress stops first, when the user wants it to.
        if (!m_flow.mayClose())
            return;
        if (m_help)
            m_help->unload();
        m_frame.destroy();
    });
    m_frame.onEndSession([this] { m_flow.stopAndQuit(); });
    m_frame.onDrop([this](const std::vector<std::string>& paths, POINT where) {
        if (m_flow.takesDrops())
            m_flow.filesDropped(paths, Win32Frame::isOver(m_join.txtJoinDestination, where));
    });
}

void CarvelWindow::useHelp(HelpServices services, std::string programFolder) {
    m_help.emplace(services, std::move(programFolder));
}

void CarvelWindow::start() {
    m_flow.Form_Load();
    if (!m_flow.quitting())
        m_frame.show();
}

void CarvelWindow::showPanel(Panel panel, bool focusFirstBox) {
    const bool split = panel == Panel::Split;
    ShowWindow(split ? m_join.JoinDialog : m_split.SplitDialog, SW_HIDE);
    ShowWindow(split ? m_split.SplitDialog : m_join.JoinDialog, SW_SHOW);
    if (focusFirstBox)
        SetFocus(split ? m_split.txtSplitSourceFile : m_join.txtJoinSourceFile);
}

void CarvelWindow::showAbout() {
    Win32About box(m_services.shell, m_services.messageBox, Win32About::Program::Carvel,
                   aboutArt());
    box.showModal(m_frame.hwnd());
}

void CarvelWindow::showHelpContents() {
    if (m_help)
        m_help->showContents();
}

} // namespace carvel::win32
