#include "PeFileVersion.h"
#include "PosixFileFinder.h"
#include "PosixLongPathName.h"
#include "PosixOsVersion.h"
#include "ProcessEnvironment.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <fstream>
#include <vector>

using namespace carvel;

namespace {

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void put16(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// The smallest Windows library that carries a version resource: one resource section
// holding type 16, name 1, language 0x409, and the version block with its fixed part.
std::vector<unsigned char> peWithVersion(std::uint16_t major, std::uint16_t minor,
                                         std::uint16_t third, std::uint16_t fourth) {
    std::vector<unsigned char> b(0x400, 0);
    b[0] = 'M';
    b[1] = 'Z';
    put32(b, 0x3C, 0x40);
    b[0x40] = 'P';
    b[0x41] = 'E';
    put16(b, 0x44, 0x14C); // machine
    put16(b, 0x46, 1);     // one section
    put16(b, 0x54, 224);   // optional header size
    const std::size_t opt = 0x58;
    put16(b, opt, 0x10B);
    put32(b, opt + 92, 16);          // data directories
    put32(b, opt + 96 + 16, 0x1000); // resource directory RVA
    put32(b, opt + 96 + 20, 0x100);
    const std::size_t section = opt + 224;
    std::copy_n(".rsrc", 5, b.begin() + static_cast<long>(section));
    put32(b, section + 8, 0x200);   // virtual size
    put32(b, section + 12, 0x1000); // virtual address
    put32(b, section + 16, 0x200);  // raw size
    put32(b, section + 20, 0x200);  // raw offset
    const std::size_t rsrc = 0x200;
    put16(b, rsrc + 14, 1);
    put32(b, rsrc + 16, 16);
    put32(b, rsrc + 20, 0x80000000u | 0x18);
    put16(b, rsrc + 0x18 + 14, 1);
    put32(b, rsrc + 0x18 + 16, 1);
    put32(b, rsrc + 0x18 + 20, 0x80000000u | 0x30);
    put16(b, rsrc + 0x30 + 14, 1);
    put32(b, rsrc + 0x30 + 16, 0x409);
    put32(b, rsrc + 0x30 + 20, 0x48);
    put32(b, rsrc + 0x48, 0x1000 + 0x60); // data RVA
    put32(b, rsrc + 0x48 + 4, 92);        // data size
    const std::size_t block = rsrc + 0x60;
    put16(b, block, 92);
    put16(b, block + 2, 52);
    const std::string key = "VS_VERSION_INFO";
    for (std::size_t i = 0; i < key.size(); ++i)
        b[block + 6 + 2 * i] = static_cast<unsigned char>(key[i]);
    put32(b, block + 40, 0xFEEF04BD);
    put32(b, block + 44, 0x10000);
    put32(b, block + 48, std::uint32_t{major} << 16 | minor);
    put32(b, block + 52, std::uint32_t{third} << 16 | fourth);
    return b;
}

} // namespace

TEST(PeFileVersion, ReadsTheFixedPartOfAnExecutablesVersionResource) {
    QTemporaryDir dir;
    const std::string control = dir.filePath("hhctrl.ocx").toStdString();
    writeFile(control, peWithVersion(4, 72, 7290, 0));

    PeFileVersion versions;
    EXPECT_EQ(versions.getFileVersionInfoSize(control), 92u);
    const auto info = versions.queryFixedFileInfo(control, 64000);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileVersionMS, (4u << 16) | 72u);
    EXPECT_EQ(info->fileVersionLS, 7290u << 16);

    // A plain file, a missing one, and an executable cut short inside its headers have none.
    const std::string text = dir.filePath("readme.txt").toStdString();
    writeFile(text, {'M', 'Z', 'h', 'i'});
    std::vector<unsigned char> cut = peWithVersion(1, 2, 3, 4);
    cut.resize(0x150);
    const std::string truncated = dir.filePath("cut.dll").toStdString();
    writeFile(truncated, cut);
    for (const std::string& path : {text, truncated, dir.filePath("none.dll").toStdString()}) {
        EXPECT_EQ(versions.getFileVersionInfoSize(path), 0u) << path;
        EXPECT_FALSE(versions.queryFixedFileInfo(path, 64000)) << path;
    }
}

TEST(PosixFileFinder, FindsExactNamesAndTheFirstWildcardMatch) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const char* name : {"b.chm", "a.chm", "Notes.txt"})
        writeFile(folder + "/" + name, {'x'});

    PosixFileFinder finder;
    const FindResult exact = finder.findFirstFile(folder + "/Notes.txt");
    ASSERT_EQ(exact.status, FindStatus::Found);
    EXPECT_EQ(exact.fileName, "Notes.txt");
    EXPECT_NE(exact.handle, 0u);
    finder.findClose(exact.handle);

    EXPECT_EQ(finder.findFirstFile(folder + "/*.chm").fileName, "a.chm");
    EXPECT_EQ(finder.findFirstFile(folder + "/?.chm").fileName, "a.chm");
    EXPECT_EQ(finder.findFirstFile(folder + "/notes.txt").status, FindStatus::NotFound);
    EXPECT_EQ(finder.findFirstFile(folder + "/*.htm").status, FindStatus::NotFound);
    EXPECT_EQ(finder.findFirstFile(folder + "/missing/a.chm").status, FindStatus::NotFound);
    EXPECT_EQ(finder.findFirstFile(std::string("a\0b", 3)).status, FindStatus::BadName);
}

TEST(NativeServices, LongPathsVersionAndEnvironment) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("Carvel.chm").toStdString();
    writeFile(file, {'x'});
    PosixLongPathName longPaths;
    EXPECT_EQ(longPaths.getLongPathName(file, 4096), file);
    EXPECT_FALSE(longPaths.getLongPathName(file, static_cast<std::uint32_t>(file.size())))
        << "no room for the terminating null";
    EXPECT_FALSE(longPaths.getLongPathName(file + ".gone", 4096));

    struct utsname names {};
    ASSERT_EQ(::uname(&names), 0);
    const OsVersionInfo version = PosixOsVersion().getVersionEx(148);
    EXPECT_EQ(version.size, 148u);
    EXPECT_EQ(version.platformId, VER_PLATFORM_WIN32s);
    EXPECT_EQ(std::to_string(version.majorVersion),
              std::string(names.release).substr(0, std::string(names.release).find('.')));

    setenv("CARVEL_TEST_FOLDER", "/srv/help", 1);
    unsetenv("CARVEL_TEST_UNSET");
    ProcessEnvironment environment;
    EXPECT_EQ(environment.expandEnvironmentStrings("%CARVEL_TEST_FOLDER%/Carvel.chm", 2048),
              "/srv/help/Carvel.chm");
    EXPECT_EQ(environment.expandEnvironmentStrings("%CARVEL_TEST_UNSET%/x 100%", 2048),
              "%CARVEL_TEST_UNSET%/x 100%");
    EXPECT_EQ(environment.expandEnvironmentStrings("50%%CARVEL_TEST_FOLDER%", 2048),
              "50%/srv/help");
    EXPECT_EQ(environment.expandEnvironmentStrings("%CARVEL_TEST_FOLDER%", 5), "/srv");
}
