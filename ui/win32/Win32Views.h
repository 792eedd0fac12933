#pragma once

#include "Win32About.h"
#include "Win32Frame.h"
#include "Win32Panels.h"
#include "flow/IJoinView.h"
#include "flow/ISplitView.h"
#include "flow/IWindowView.h"
#include "flow/NumberFormat.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace carvel::win32 {

// The split panel's controls as the split flow sees them.
class Win32SplitView final : public ISplitView {
public:
    Win32SplitView(Win32Frame& frame, SplitControls& controls)
        : m_frame(frame), m_controls(controls) {}

    std::string sourceText() const override;
    void setSourceText(const std::string& text) override;
    std::string sizeText() const override;
    void setFileSizeText(const std::string& text) override;
    void checkSizeMode(int index) override;
    void focus(InputField field) override;
    void showWorking(bool working) override;
    void setStartEnabled(bool enabled) override;
    void showBusyPointer(bool busy) override;
    void* owner() override { return m_frame.hwnd(); }

private:
    Win32Frame& m_frame;
    SplitControls& m_controls;
};

// The join panel's controls as the join flow sees them.
class Win32JoinView final : public IJoinView {
public:
    Win32JoinView(Win32Frame& frame, JoinControls& controls)
        : m_frame(frame), m_controls(controls) {}

    std::string sourceText() const override;
    void setSourceText(const std::string& text) override;
    std::string destinationText() const override;
    void setDestinationText(const std::string& text) override;
    void focus(InputField field) override;
    void showWorking(bool working) override;
    void setStartEnabled(bool enabled) override;
    void showBusyPointer(bool busy) override;
    void* owner() override { return m_frame.hwnd(); }

private:
    Win32Frame& m_frame;
    JoinControls& m_controls;
};

// What Carvel's and Seamer's windows show alike: caption, status bar, progress, the toolbar's
// enabled buttons with their menu entries, Esc, closing.
class Win32WindowView : public IWindowView {
public:
    ~Win32WindowView() override;

    void setCaption(const std::string& caption) override;
    void setModePicture(const std::string& role) override;
    void setStatusText(const std::string& text) override;
    void setCommandEnabled(int position, bool enabled) override;
    void showProgress(const ProgressText& progress) override;
    void showIdle() override;
    void setCancelKeyEnabled(bool enabled) override { m_cancelKey = enabled; }
    void alertIfInactive() override;
    bool close() override;
    void quit() override;
    void* owner() override { return m_frame.hwnd(); }

    Win32Frame& frame() { return m_frame; }

    // How the user's locale writes numbers.
    static NumberFormat localNumberFormat();

protected:
    // menuIds: the menu entry paired with each toolbar button, in the buttons' order.
    Win32WindowView(const std::string& caption, std::vector<int> menuIds);

    // The program's icon: this window's, and that of the boxes shown without an owner.
    void setProgramIcon(HICON icon);
    // The toolbar's images, kept while the window lives.
    HIMAGELIST toolbarImages();
    // The About box's pictures.
    AboutArt aboutArt();

    Win32Frame m_frame;
    // The pictures of the panels' buttons, kept while the window lives.
    const PanelArt m_panelArt;
    bool m_cancelKey = false;

private:
    std::vector<int> m_menuIds;
    HICON m_icon = nullptr;
    HIMAGELIST m_toolbarImages = nullptr;
    AboutArt m_aboutArt;
    std::map<std::string, HICON> m_pictures;
};

} // namespace carvel::win32
