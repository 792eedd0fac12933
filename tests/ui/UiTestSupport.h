#pragma once

#include "FileSystem.h"
#include "ScriptedFileDialog.h"
#include "ScriptedMessageBox.h"
#include "frmSplitJoin.h"

#include <QTest>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace carvel::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return m_path; }
    // Creates a file of size bytes with varied content and returns its path.
    std::string makeFile(const std::string& name, std::size_t size) const;

private:
    std::filesystem::path m_path;
};

std::string readAll(const std::filesystem::path& path);

// Every file and folder under root with its size (-1 for folders), to see that nothing changed.
std::map<std::string, long long> snapshot(const std::filesystem::path& root);

// Waits until the split or join that a Start began has ended and reported its result.
template <class Panel> void waitForWork(const Panel& panel) {
    (void)QTest::qWaitFor([&] { return !panel.isWorking(); }, 60000);
}

// The main window with scripted dialogs, loaded and shown as a user would see it.
struct Carvel {
    explicit Carvel(const QString& arguments = QString(), FileSystem* fs = nullptr);

    ScriptedMessageBox messages;
    ScriptedFileDialog dialogs;
    int aboutShown = 0;
    std::unique_ptr<frmSplitJoin> window;

    // Shows the window and makes it the active one, so keyboard focus can be observed.
    void showActive();
};

} // namespace carvel::test
