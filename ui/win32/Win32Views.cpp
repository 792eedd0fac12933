#include "Win32Views.h"

#include "ArtworkIds.h"
#include "WideText.h"
#include "Win32Art.h"

#include <initializer_list>

namespace carvel::win32 {

namespace {

// Controls that cannot be used while work runs; the focus, if it was in one, goes to Start.
void enableWhileIdle(std::initializer_list<HWND> controls, bool working, HWND start) {
    for (HWND control : controls)
        EnableWindow(control, working ? FALSE : TRUE);
    HWND focus = GetFocus();
    if (working && (focus == nullptr || !IsWindowEnabled(focus)))
        SetFocus(start);
}

} // namespace

std::string Win32SplitView::sourceText() const {
    return windowText(m_controls.txtSplitSourceFile);
}

void Win32SplitView::setSourceText(const std::string& text) {
    setWindowText(m_controls.txtSplitSourceFile, text);
}

std::string Win32SplitView::sizeText() const {
    return windowText(m_controls.txtMaxChunkSize);
}

void Win32SplitView::setFileSizeText(const std::string& text) {
    setWindowText(m_controls.filesize, text);
}

void Win32SplitView::checkSizeMode(int index) {
    for (int option = 0; option < 2; ++option)
        SendMessageW(m_controls.optSizeMode[option], BM_SETCHECK,
                     option == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32SplitView::focus(InputField field) {
    if (field == InputField::SplitSource)
        SetFocus(m_controls.txtSplitSourceFile);
    else if (field == InputField::SplitSize)
        SetFocus(m_controls.txtMaxChunkSize);
}

void Win32SplitView::showWorking(bool working) {
    m_controls.cmdSplit.showAsCancel(working);
    enableWhileIdle({m_controls.txtSplitSourceFile, m_controls.cmdSelectSplitFile,
                     m_controls.txtMaxChunkSize, m_controls.Frame3, m_controls.optSizeMode[0],
                     m_controls.optSizeMode[1]},
                    working, m_controls.cmdSplit.hwnd());
}

void Win32SplitView::setStartEnabled(bool enabled) {
    EnableWindow(m_controls.cmdSplit.hwnd(), enabled ? TRUE : FALSE);
}

void Win32SplitView::showBusyPointer(bool busy) {
    m_frame.setBusy(busy);
}

std::string Win32JoinView::sourceText() const {
    return windowText(m_controls.txtJoinSourceFile);
}

void Win32JoinView::setSourceText(const std::string& text) {
    setWindowText(m_controls.txtJoinSourceFile, text);
}

std::string Win32JoinView::destinationText() const {
    return windowText(m_controls.txtJoinDestination);
}

void Win32JoinView::setDestinationText(const std::string& text) {
    setWindowText(m_controls.txtJoinDestination, text);
}

void Win32JoinView::focus(InputField field) {
    if (field == InputField::JoinSource)
        SetFocus(m_controls.txtJoinSourceFile);
    else if (field == InputField::JoinDestination)
        SetFocus(m_controls.txtJoinDestination);
}

void Win32JoinView::showWorking(bool working) {
    m_controls.cmdJoin.showAsCancel(working);
    enableWhileIdle({m_controls.txtJoinSourceFile, m_controls.cmdSelectJoinFile,
                     m_controls.txtJoinDestination, m_controls.cmdSelectJoinTarget},
                    working, m_controls.cmdJoin.hwnd());
}

void Win32JoinView::setStartEnabled(bool enabled) {
    EnableWindow(m_controls.cmdJoin.hwnd(), enabled ? TRUE : FALSE);
}

void Win32JoinView::showBusyPointer(bool busy) {
    m_frame.setBusy(busy);
}

Win32WindowView::Win32WindowView(const std::string& caption, std::vector<int> menuIds)
    : m_frame(caption), m_panelArt{Art::selectFilePicture(m_frame.scale()),
                                   Art::startPicture(m_frame.scale()),
                                   LoadIconW(nullptr, IDI_ERROR)},
      m_menuIds(std::move(menuIds)) {}

Win32WindowView::~Win32WindowView() {
    m_frame.destroy();
    for (const auto& picture : m_pictures)
        if (picture.second != nullptr)
            DestroyIcon(picture.second);
    for (HICON icon : {m_icon, m_aboutArt.icon, m_panelArt.selectFile, m_panelArt.start})
        if (icon != nullptr)
            DestroyIcon(icon);
    if (m_toolbarImages != nullptr)
        ImageList_Destroy(m_toolbarImages);
    if (m_aboutArt.logo != nullptr)
        DeleteObject(m_aboutArt.logo);
}

void Win32WindowView::setProgramIcon(HICON icon) {
    m_icon = icon;
    if (icon != nullptr)
        m_frame.setIcon(icon);
}

HIMAGELIST Win32WindowView::toolbarImages() {
    if (m_toolbarImages == nullptr)
        m_toolbarImages = Art::toolbarImages(m_frame.scale());
    return m_toolbarImages;
}

AboutArt Win32WindowView::aboutArt() {
    if (m_aboutArt.icon == nullptr) {
        m_aboutArt.icon = Art::icon(IDI_CARVEL, m_frame.scale().design(32));
        m_aboutArt.logo = Art::aboutLogo();
        m_aboutArt.linkCursor = Art::linkCursor();
    }
    return m_aboutArt;
}

void Win32WindowView::setCaption(const std::string& caption) {
    m_frame.setCaption(caption);
}

void Win32WindowView::setModePicture(const std::string& role) {
    auto found = m_pictures.find(role);
    if (found == m_pictures.end())
        found = m_pictures.emplace(role, Art::modePicture(role, m_frame.scale())).first;
    m_frame.statusBar().setPicture(found->second);
}

void Win32WindowView::setStatusText(const std::string& text) {
    m_frame.statusBar().setText(text);
}

void Win32WindowView::setCommandEnabled(int position, bool enabled) {
    m_frame.enableCommand(position, m_menuIds.at(static_cast<std::size_t>(position - 1)), enabled);
}

void Win32WindowView::showProgress(const ProgressText& progress) {
    const double share = progress.steps < 0 ? -1.0 : progress.steps / double(kProgressSteps);
    m_frame.statusBar().showProgress(progress.name, share, progress.detail);
}

void Win32WindowView::showIdle() {
    m_frame.statusBar().showIdle();
}

void Win32WindowView::alertIfInactive() {
    if (GetForegroundWindow() == m_frame.hwnd())
        return;
    FLASHWINFO flash{sizeof(flash), m_frame.hwnd(), FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

bool Win32WindowView::close() {
    HWND window = m_frame.hwnd();
    if (window == nullptr)
        return true;
    SendMessageW(window, WM_CLOSE, 0, 0);
    return m_frame.hwnd() == nullptr;
}

void Win32WindowView::quit() {
    PostQuitMessage(0);
}

NumberFormat Win32WindowView::localNumberFormat() {
    const auto info = [](LCTYPE item) {
        wchar_t text[16] = L"";
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, 16);
        return std::wstring(text);
    };
    NumberFormat format;
    const std::wstring decimal = info(LOCALE_SDECIMAL);
    const std::wstring group = info(LOCALE_STHOUSAND);
    const std::wstring digits = info(LOCALE_SNATIVEDIGITS);
    if (!decimal.empty())
        format.decimalPoint = toUtf8(decimal);
    format.groupSeparator = toUtf8(group);
    if (!digits.empty())
        format.zeroDigit = static_cast<char32_t>(digits.front());
    return format;
}

} // namespace carvel::win32
