#include "UiTestSupport.h"

#include <QApplication>
#include <QTest>
#include <fstream>
#include <random>

namespace carvel::test {

TempFolder::TempFolder() {
    static std::mt19937_64 random{std::random_device{}()};
    m_path = std::filesystem::temp_directory_path() /
             ("carvel-ui-" + std::to_string(random() % 1000000000));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::makeFile(const std::string& name, std::size_t size) const {
    const std::filesystem::path file = m_path / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    for (std::size_t i = 0; i < size; ++i)
        out.put(static_cast<char>((i * 131 + i / 251) & 0xff));
    return file.string();
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, long long> snapshot(const std::filesystem::path& root) {
    std::map<std::string, long long> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        entries[entry.path().string()] =
            entry.is_directory() ? -1 : static_cast<long long>(entry.file_size());
    return entries;
}

Carvel::Carvel(const QString& arguments, FileSystem* fs) {
    window = std::make_unique<frmSplitJoin>(messages, dialogs, fs ? *fs : fileSystem(), arguments,
                                            [this] { ++aboutShown; });
    window->flow().Form_Load();
}

void Carvel::showActive() {
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
}

} // namespace carvel::test
