#include "HTMLHelp.h"

#include "CaseFolding.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace carvel {

namespace {

const char* const kCaption = "Orvane! Error";
const char* const kHelpFileKey = "Software\\Microsoft\\Windows\\HTML Help";
const char* const kViewerKey = "CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}\\InprocServer32";
const char* const kBrowserKey = "CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}\\InProcServer32";
const char* const kViewerTypeLibKey =
    "SOFTWARE\\Classes\\TypeLib\\{ADB880A2-D8FF-11CF-9377-00AA003B7A11}";
// The folder separator of the paths the class is given and forms: the backslash of Windows,
// where the names it hands on go to the system's own calls, and the slash elsewhere.
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string trimmedOfSpaces(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string bareFileName(const std::string& path) {
    const std::size_t slash = path.rfind(kSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A registered folder written by another program may lack its trailing separator; one is
// added only where it is missing.
std::string joinFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == kSeparator)
        return folder + name;
    return folder + kSeparator + name;
}

// The root a path starts from, with its separator; empty for a relative path.
std::string rootOf(const std::string& path) {
#ifdef _WIN32
    if (path.size() >= 3 && path[1] == ':' && path[2] == kSeparator)
        return path.substr(0, 3);
    if (path.rfind("\\\\", 0) == 0) {
        // A network share: its server and share name are not looked up.
        const std::size_t share = path.find(kSeparator, 2);
        const std::size_t end =
            share == std::string::npos ? share : path.find(kSeparator, share + 1);
        return end == std::string::npos ? std::string() : path.substr(0, end + 1);
    }
#endif
    return !path.empty() && path.front() == kSeparator ? path.substr(0, 1) : std::string();
}

std::string padded(unsigned value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", width, value);
    return text;
}

using VersionNames = std::array<std::pair<const char*, const char*>, 15>;

const std::array<std::pair<const char*, const char*>, 9> kViewerNames{{
    {"4.72.7290.00", "1.0"},
    {"4.72.7323.00", "1.1"},
    {"4.72.7325.00", "1.1a"},
    {"4.72.8164.00", "1.1b"},
    {"4.73.8252.00", "1.2"},
    {"4.73.8412.00", "1.21"},
    {"4.73.8474.00", "1.21a"},
    {"4.73.8561.00", "1.22"},
    {"4.74.8566.00", "1.3"},
}};

const VersionNames kBrowserNames{{
    {"4.70.1155.0000", "3.0"},
    {"4.70.1158.0000", "3.0 OSR2"},
    {"4.70.1215.0000", "3.02"},
    {"4.70.1300.0000", "3.02"},
    {"4.71.1008.3000", "4.0 PP2"},
    {"4.71.1712.5000", "4.0"},
    {"4.72.2106.7000", "4.01"},
    {"4.72.3110.0300", "4.0 SP1"},
    {"4.72.3612.1707", "4.0 SP2"},
    {"5.00.0518.5000", "5.0 beta 1"},
    {"5.00.0910.1308", "5.0 beta 2"},
    {"5.00.2014.2130", "5.0"},
    {"5.00.2314.1000", "5.0a (Office 2000)"},
    {"5.00.2614.3500", "5.0b (Windows 98 SE)"},
    {"5.00.2717.2000", "5.0c (Icon Security Issue Update)"},
}};

// Minimum versions by code, starting at code 16 for the viewer and 256 for the browser.
const std::array<const char*, 8> kViewerMinimums{"4.72.7290",   "4.72.7323", "4.72.7325",
                                                 "4.72.8164.0", "4.73.8252", "4.73.8412",
                                                 "4.73.8474",   "4.73.8561"};
const std::array<const char*, 15> kBrowserMinimums{
    "4.70.1155",      "4.70.1158",     "4.70.1215",      "4.70.1300",      "4.71.1008.3",
    "4.71.1712.5",    "4.72.2106.7",   "4.72.3110.03",   "4.72.3612.1707", "5.00.0518.5",
    "5.00.0910.1308", "5.00.2014.213", "5.00.2314.1000", "5.00.2614.3500", "5.0.2717.2000"};

template <typename Table>
std::string friendlyNameOf(const std::string& version, const Table& table) {
    for (const auto& [number, name] : table)
        if (equalsIgnoringCase(version, number))
            return name;
    return "unknown";
}

} // namespace

HTMLHelp::HTMLHelp(HelpServices services, std::string programFolder)
    : m_services(services), m_programFolder(std::move(programFolder)) {}

// ---- Display operations -------------------------------------------------------------------

bool HTMLHelp::prepareDisplay() {
    if (!IsValidHelpFile(m_CHMFile))
        return false;
    return EnsureFileExists(m_CHMFile);
}

// The help window belongs to the caller only when asked to stay on top of it; without a
// calling window it has no owner and is still shown.
std::intptr_t HTMLHelp::ownerOf(std::intptr_t CallingForm) const {
    return m_HHShowOnTop ? CallingForm : 0;
}

std::string HTMLHelp::fileArgument() const {
    if (trimmedOfSpaces(m_HHWindow).empty())
        return m_CHMFile;
    return m_CHMFile + ">" + m_HHWindow;
}

void HTMLHelp::HHDisplayTopicURL(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    m_services.viewer.htmlHelp(ownerOf(CallingForm), fileArgument(), HH_DISPLAY_TOPIC,
                               HelpData{m_HHTopicURL});
}

void HTMLHelp::HHDisplayTopicID(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    m_services.viewer.htmlHelp(ownerOf(CallingForm), fileArgument(), HH_HELP_CONTEXT,
                               HelpData{std::intptr_t{m_HHTopicID}});
}

void HTMLHelp::HHDisplaySearch(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    HhFtsQuery query;
    query.pszSearchQuery = std::string();
    query.fExecute = true;
    query.pszWindow = std::string();
    m_services.viewer.htmlHelp(ownerOf(CallingForm), fileArgument(), HH_DISPLAY_SEARCH,
                               HelpData{query});
}

void HTMLHelp::HHDisplayIndex(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    m_services.viewer.htmlHelp(ownerOf(CallingForm), fileArgument(), HH_DISPLAY_INDEX,
                               HelpData{std::intptr_t{0}});
}

void HTMLHelp::HHDisplayContents(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    m_services.viewer.htmlHelp(ownerOf(CallingForm), fileArgument(), HH_DISPLAY_TOC,
                               HelpData{std::intptr_t{0}});
}

HhAkLink HTMLHelp::linkRecord(const std::string& keywords) {
    // Empty texts become null ones, so the viewer falls back on its own defaults; the
    // properties keep the null value afterwards.
    for (std::optional<std::string>* text : {&m_HHDefaultURL, &m_HHMsgText, &m_HHMsgTitle})
        if (text->has_value() && (*text)->empty())
            text->reset();
    HhAkLink link;
    link.pszKeywords = keywords;
    link.pszUrl = m_HHDefaultURL;
    link.pszMsgText = m_HHMsgText;
    link.pszMsgTitle = m_HHMsgTitle;
    if (!trimmedOfSpaces(m_HHWindow).empty())
        link.pszWindow = m_HHWindow;
    return link;
}

void HTMLHelp::HHDisplayKeyword(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    const std::intptr_t owner = ownerOf(CallingForm);
    m_services.viewer.htmlHelp(owner, m_CHMFile, HH_DISPLAY_TOPIC, HelpData{std::intptr_t{0}});
    m_services.viewer.htmlHelp(owner, m_CHMFile, HH_KEYWORD_LOOKUP,
                               HelpData{linkRecord(m_HHKeyword)});
}

void HTMLHelp::HHDisplayALink(std::intptr_t CallingForm) {
    if (!prepareDisplay())
        return;
    m_services.viewer.htmlHelp(ownerOf(CallingForm), m_CHMFile, HH_ALINK_LOOKUP,
                               HelpData{linkRecord(m_HHALink)});
}

void HTMLHelp::HHClose() {
    m_services.viewer.htmlHelp(0, m_CHMFile, HH_CLOSE_ALL, HelpData{std::intptr_t{0}});
}

std::string HTMLHelp::HHSetHelpFile(std::int16_t intSelHelpFile) const {
    switch (intSelHelpFile) {
    case 1:
        return m_programFolder + kSeparator + "Library.chm";
    case 2:
        return "Library.txt";
    default:
        return {};
    }
}

void HTMLHelp::HHInvokeWhatsThisHelp(std::intptr_t CallingForm) {
    m_services.defWindowProc.defWindowProc(CallingForm, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

// ---- File checks --------------------------------------------------------------------------

bool HTMLHelp::IsValidHelpFile(const std::string& name) {
    if (endsWithIgnoringCase(name, "chm"))
        return true;
    ShowErrorMessage(name + " is not a valid HTML Help file.");
    return false;
}

std::string HTMLHelp::locateHelpFile(const std::string& fileName) {
    const std::string beside = m_programFolder + kSeparator + fileName;
    // An installed program lives in PREFIX/bin and its data in PREFIX/share/carvel.
    const std::size_t slash = m_programFolder.rfind(kSeparator);
    const std::string prefix = slash == std::string::npos ? m_programFolder + kSeparator + ".."
                                                          : m_programFolder.substr(0, slash);
    const std::string installed =
        prefix + kSeparator + "share" + kSeparator + "carvel" + kSeparator + fileName;
    for (const std::string& path : {beside, installed}) {
        const FindResult found = m_services.files.findFirstFile(path);
        if (found.status == FindStatus::Found) {
            m_services.files.findClose(found.handle);
            return path;
        }
    }
    return beside;
}

bool HTMLHelp::EnsureFileExists(std::string& FileToFind) {
    if (FileToFind.find(kSeparator) == std::string::npos) {
        HHCheckRegistry(FileToFind);
        if (!m_HHRegFileName.empty())
            FileToFind = joinFolder(m_HHRegFilePath, m_HHRegFileName);
        else
            FileToFind = m_programFolder + kSeparator + FileToFind;
    }
    const FindResult found = m_services.files.findFirstFile(FileToFind);
    if (found.status != FindStatus::Found) {
        ShowErrorMessage("The file " + FileToFind + " does not exist." + '\n' +
                         "Please make sure that you have installed Velm Help files");
        return false;
    }
    m_services.files.findClose(found.handle);
    return true;
}

void HTMLHelp::ShowErrorMessage(const std::string& text) {
    m_services.messageBox.show(
        {text, kCaption, MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, nullptr});
}

void HTMLHelp::ShowInfoMessage(const std::string& text) {
    m_services.messageBox.show(
        {text, kCaption, MsgButtons::Ok, MsgIcon::Information, MsgAnswer::Ok, nullptr});
}

// ---- Registry -----------------------------------------------------------------------------

std::optional<RegRoot> HTMLHelp::GetRootKey(const std::string& rootName) {
    const std::string root = folded(rootName);
    if (root == "hkcu")
        return RegRoot::CurrentUser;
    if (root == "hklm")
        return RegRoot::LocalMachine;
    if (root == "hku")
        return RegRoot::Users;
    if (root == "hkdd")
        return RegRoot::DynData;
    if (root == "hkcc")
        return RegRoot::CurrentConfig;
    if (root == "hkcr")
        return RegRoot::ClassesRoot;
    return std::nullopt;
}

std::optional<HTMLHelp::RegMatch> HTMLHelp::FindRegValue(const std::string& rootName,
                                                         const std::string& key,
                                                         const std::string& valueName) {
    const std::optional<RegRoot> root = GetRootKey(rootName);
    if (!root)
        return std::nullopt;
    IRegistry& registry = m_services.registry;
    const std::optional<RegKey> handle = registry.openKey(*root, key, KEY_QUERY_VALUE);
    if (!handle)
        return std::nullopt;
    std::optional<RegMatch> result;
    for (std::uint32_t index = 0;; ++index) {
        const std::optional<RegValueName> value = registry.enumValue(*handle, index, 2048);
        if (!value)
            break;
        if (value->type != REG_SZ && value->type != REG_EXPAND_SZ)
            continue;
        if (!equalsIgnoringCase(value->name, valueName))
            continue;
        const std::optional<RegValueData> data = registry.queryValue(*handle, value->name);
        if (data) {
            std::string text = data->data;
            if (data->type == REG_EXPAND_SZ)
                text = m_services.environment.expandEnvironmentStrings(text, 2048);
            result = RegMatch{valueName, TrimAtNull(text)};
        }
        break;
    }
    registry.closeKey(*handle);
    return result;
}

std::optional<bool> HTMLHelp::HHCheckRegistry(const std::string& FileToCheck) {
    if (FileToCheck.empty())
        return std::nullopt;
    m_HHRegFileExists = false;
    if (!IsValidHelpFile(FileToCheck))
        return false;
    const std::string bare = bareFileName(FileToCheck);
    const std::optional<RegMatch> match = FindRegValue("HKLM", kHelpFileKey, bare);
    if (!match || match->name != bare) {
        m_HHRegFileName.clear();
        m_HHRegFilePath.clear();
        return false;
    }
    m_HHRegFileName = bare;
    m_HHRegFilePath = TrimAtNull(longFormOf(match->data));
    // Folder and name are joined with a separator whatever the folder ends in: a doubled one
    // still names the same file.
    std::string registered = m_HHRegFilePath + kSeparator + m_HHRegFileName;
    if (EnsureFileExists(registered))
        m_HHRegFileExists = true;
    return false;
}

void HTMLHelp::HHRegister(std::string& FileToRegister) {
    if (FileToRegister.empty() || !IsValidHelpFile(FileToRegister))
        return;
    FileToRegister = longFormOf(FileToRegister);
    HHCheckRegistry(FileToRegister);
    if (!m_HHRegFileName.empty()) {
        ShowInfoMessage("The file " + FileToRegister + " is already registered.  " +
                        "HHRegister will not be run as no action need be taken.");
        return;
    }
    if (!IsValidHelpFile(FileToRegister) || !EnsureFileExists(FileToRegister))
        return;
    // The copy is taken after the file check, which completes a bare name to the folder it
    // was found in, so the registered folder is never empty.
    const std::string fullPath = FileToRegister;
    FileToRegister = bareFileName(FileToRegister);
    const std::string folder = fullPath.substr(0, fullPath.size() - FileToRegister.size());

    IRegistry& registry = m_services.registry;
    const std::optional<RegKey> key =
        registry.createKey(RegRoot::LocalMachine, kHelpFileKey, "", REG_OPTION_NON_VOLATILE,
                           KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    if (!key) {
        ShowErrorMessage("HTML Help Class: HHRegister Error");
        return;
    }
    const bool written = registry.setValue(*key, FileToRegister, REG_SZ, folder,
                                           static_cast<std::uint32_t>(folder.size() + 1));
    registry.closeKey(*key);
    if (!written)
        HHCheckRegistry(FileToRegister);
}

void HTMLHelp::HHUnRegister(std::string& FileToUnRegister) {
    if (FileToUnRegister.empty() || !IsValidHelpFile(FileToUnRegister))
        return;
    FileToUnRegister = longFormOf(FileToUnRegister);
    HHCheckRegistry(FileToUnRegister);
    if (m_HHRegFileName.empty()) {
        ShowInfoMessage("The file " + FileToUnRegister + " is not registered.  " +
                        "HHUnRegister will not be run as no action need be taken.");
        return;
    }
    FileToUnRegister = bareFileName(FileToUnRegister);
    IRegistry& registry = m_services.registry;
    if (const std::optional<RegKey> key =
            registry.openKey(RegRoot::LocalMachine, kHelpFileKey, KEY_SET_VALUE)) {
        registry.deleteValue(*key, FileToUnRegister);
        registry.closeKey(*key);
    }
    HHCheckRegistry(FileToUnRegister);
}

bool HTMLHelp::GetKeyInfo(const std::string& key_name, std::int16_t /*indent*/) {
    IRegistry& registry = m_services.registry;
    const std::optional<RegKey> key =
        registry.openKey(RegRoot::LocalMachine, key_name, KEY_ALL_ACCESS);
    if (!key)
        return false;
    for (std::int16_t index = 0; index < INT16_MAX; ++index) {
        const std::optional<std::string> subKey =
            registry.enumKey(*key, static_cast<std::uint32_t>(index), 256);
        if (!subKey)
            break;
        if (const std::optional<RegKey> child = registry.openKey(
                RegRoot::LocalMachine, key_name + "\\" + *subKey, KEY_QUERY_VALUE)) {
            registry.queryValue(*child, "");
            registry.closeKey(*child);
        }
    }
    return registry.closeKey(*key);
}

bool HTMLHelp::HHInstalled() {
    m_HHInstalled = GetKeyInfo(kViewerTypeLibKey, 0);
    return m_HHInstalled;
}

// ---- Paths and the system -----------------------------------------------------------------

std::string HTMLHelp::TrimAtNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::int32_t HTMLHelp::GetWindowsVersion() {
    const OsVersionInfo info = m_services.osVersion.getVersionEx(148);
    if (info.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (info.minorVersion == 0)
            return 2;
        if (info.minorVersion == 10)
            return 4;
    } else if (info.platformId == VER_PLATFORM_WIN32_NT) {
        if (info.majorVersion == 3)
            return 1;
        if (info.majorVersion == 4)
            return 3;
        if (info.majorVersion == 5)
            return 5;
    }
    return 0;
}

std::pair<std::string, std::uint32_t> HTMLHelp::GetLongName(const std::string& path,
                                                            std::uint32_t bufferSize) {
    const std::int32_t version = GetWindowsVersion();
    if (version == 4 || version == 5) {
        const std::optional<std::string> longForm =
            m_services.longPaths.getLongPathName(path, bufferSize);
        if (!longForm)
            return {{}, 0};
        return {*longForm, static_cast<std::uint32_t>(longForm->size())};
    }

    std::string rest = path;
    if (!rest.empty() && rest.front() == '"')
        rest.erase(rest.begin());
    if (!rest.empty() && rest.back() == '"')
        rest.pop_back();
    // The walk starts at the root of an absolute path (a drive, a network share or a leading
    // separator), or at the first element of a relative one; the last element is appended as
    // given.
    std::string result = rootOf(rest);
    rest.erase(0, result.size());
    bool started = !result.empty();
    if (started)
        result.pop_back(); // the root's separator comes back with the next element
    const auto append = [&](const std::string& element) {
        result += started ? std::string(1, kSeparator) + element : element;
        started = true;
    };
    for (std::size_t slash = rest.find(kSeparator); slash != std::string::npos;
         slash = rest.find(kSeparator)) {
        const std::string element = rest.substr(0, slash);
        const std::string lookup = started ? result + kSeparator + element : element;
        const FindResult found = m_services.files.findFirstFile(lookup);
        if (found.status == FindStatus::BadName)
            return {{}, 0};
        if (found.status != FindStatus::Found)
            return {result, 0};
        m_services.files.findClose(found.handle);
        append(TrimAtNull(found.fileName));
        rest.erase(0, slash + 1);
    }
    append(rest);
    return {result, static_cast<std::uint32_t>(result.size())};
}

// Where the long form cannot be worked out (a folder on the way is missing), the path is
// kept as given rather than cut short, so the messages that follow name the real path.
std::string HTMLHelp::longFormOf(const std::string& path) {
    const auto [longForm, length] = GetLongName(path, 256);
    return length > 0 ? longForm : path;
}

// ---- Versions -----------------------------------------------------------------------------

std::string HTMLHelp::GetFileVersionString(const std::string& path) {
    IFileVersion& versions = m_services.fileVersions;
    const std::uint32_t size =
        std::min<std::uint32_t>(versions.getFileVersionInfoSize(path), 64000);
    if (size == 0)
        return {};
    const std::optional<FixedFileInfo> info = versions.queryFixedFileInfo(path, size);
    if (!info)
        return {};
    // The parts are unsigned 16-bit numbers; reading them signed would turn a part above
    // 32767 negative.
    const unsigned major = info->fileVersionMS >> 16;
    const unsigned minor = info->fileVersionMS & 0xFFFF;
    const unsigned third = info->fileVersionLS >> 16;
    const unsigned fourth = info->fileVersionLS & 0xFFFF;
    std::string text = std::to_string(major) + "." + padded(minor, 2) + ".";
    if (third > 0)
        text += padded(third, 2) + "." + padded(fourth, 2);
    else
        text += padded(fourth, 4);
    return text;
}

void HTMLHelp::readControlVersion(const std::string& key, const std::string& notRegistered,
                                  const std::string& notFound, std::string& version) {
    const std::optional<RegMatch> match = FindRegValue("HKCR", key, "");
    if (!match) {
        ShowErrorMessage(notRegistered);
        return;
    }
    const std::string path = longFormOf(TrimAtNull(match->data));
    const FindResult found = m_services.files.findFirstFile(path);
    if (found.status != FindStatus::Found) {
        ShowErrorMessage(notFound);
        return;
    }
    m_services.files.findClose(found.handle);
    version = GetFileVersionString(path);
}

void HTMLHelp::ReadHHVersion() {
    readControlVersion(kViewerKey,
                       std::string("Hhctrl.ocx is not registered.  ") + "Please install HTML Help.",
                       std::string("Hhctrl.ocx is not in its registered location.  ") +
                           "Please reinstall HTML Help.",
                       m_HHVersion);
}

void HTMLHelp::ReadIEVersion() {
    readControlVersion(kBrowserKey,
                       std::string("Shdocvw.dll is not registered.  ") +
                           "Please install Internet Explorer.",
                       std::string("Internet Explorer is not in its registered location.  ") +
                           "Please reinstall Internet Explorer.",
                       m_IEVersion);
}

void HTMLHelp::SetHHFriendlyName() {
    if (m_HHVersion.empty())
        ReadHHVersion();
    m_HHFriendlyName = friendlyNameOf(m_HHVersion, kViewerNames);
}

void HTMLHelp::SetIEFriendlyName() {
    if (m_IEVersion.empty())
        ReadIEVersion();
    m_IEFriendlyName = friendlyNameOf(m_IEVersion, kBrowserNames);
}

const std::string& HTMLHelp::HHVersion() {
    ReadHHVersion();
    return m_HHVersion;
}

const std::string& HTMLHelp::IEVersion() {
    ReadIEVersion();
    return m_IEVersion;
}

const std::string& HTMLHelp::HHFriendlyName() {
    SetHHFriendlyName();
    return m_HHFriendlyName;
}

const std::string& HTMLHelp::IEFriendlyName() {
    SetIEFriendlyName();
    return m_IEFriendlyName;
}

bool HTMLHelp::HHVerifyMinConfig(std::int32_t MinHHVersion, std::int32_t MinIEVersion) {
    ReadHHVersion();
    ReadIEVersion();
    // Versions compare as text, so "4.73.8252.00" passes the minimum "4.73.8252".
    bool viewerPasses = false;
    if (MinHHVersion >= 16 && MinHHVersion <= 23)
        viewerPasses = folded(m_HHVersion) >= folded(kViewerMinimums[MinHHVersion - 16]);
    else
        m_HHVersion = "unknown";
    bool browserPasses = false;
    if (MinIEVersion >= 256 && MinIEVersion <= 270)
        browserPasses = folded(m_IEVersion) >= folded(kBrowserMinimums[MinIEVersion - 256]);
    else
        m_IEVersion = "unknown";
    SetHHFriendlyName();
    SetIEFriendlyName();
    return viewerPasses && browserPasses;
}

// ---- Popups -------------------------------------------------------------------------------

bool HTMLHelp::IsValidPopupFile(const std::string& name) {
    if (endsWithIgnoringCase(name, "txt"))
        return true;
    ShowErrorMessage("The file specified as the text popup source, '" + name +
                     "', is not a valid popup file.");
    return false;
}

void HTMLHelp::HHDisplayPopup(std::intptr_t CallingForm) {
    if (m_HHPopupType == 0)
        return;
    if (m_HHPopupType == 1 && (!IsValidHelpFile(m_CHMFile) || !EnsureFileExists(m_CHMFile)))
        return;
    const ScreenPoint pointer = m_services.cursor.cursorPos();

    HhPopup popup;
    popup.hinst = 0;
    const bool givenText = m_HHPopupType == 2 || m_HHPopupType == 4;
    popup.idString = givenText ? 0 : static_cast<std::uint32_t>(m_HHPopupID);
    if (m_HHPopupType == 2) {
        // A number the program carries no string for shows nothing.
        const std::optional<std::string> text =
            m_services.strings.loadString(static_cast<std::uint32_t>(m_HHPopupID));
        if (!text)
            return;
        popup.pszText = *text;
    } else if (m_HHPopupType == 4) {
        if (m_HHPopupText.empty())
            return;
        popup.pszText = m_HHPopupText;
    }
    popup.pt = pointer;
    popup.clrForeground = m_HHPopupCustomColors ? m_HHPopupCustomTextColor : m_HHPopupTextColor;
    popup.clrBackground = m_HHPopupCustomColors ? m_HHPopupCustomBackColor : m_HHPopupBackColor;
    popup.rcMargins = HhMargins{-1, -1, -1, -1};

    if (m_HHPopupTextFont.empty())
        m_HHPopupTextFont = "Arial";
    if (m_HHPopupTextSize.empty())
        m_HHPopupTextSize = "10";
    std::string font = m_HHPopupTextFont + ", " + m_HHPopupTextSize + ", ascii, ";
    if (m_HHPopupTextBold)
        font += "Bold ";
    if (m_HHPopupTextItalic)
        font += "Italic ";
    if (m_HHPopupTextUnderline)
        font += "Underline";
    popup.pszFont = font;

    if (m_HHPopupType == 1) {
        if (!IsValidPopupFile(m_HHPopupFile))
            return;
        m_services.viewer.htmlHelp(CallingForm, m_CHMFile + "::/" + m_HHPopupFile,
                                   HH_DISPLAY_TEXT_POPUP, HelpData{popup});
    } else if (givenText) {
        m_services.viewer.htmlHelp(CallingForm, std::nullopt, HH_DISPLAY_TEXT_POPUP,
                                   HelpData{popup});
    } else {
        return;
    }

    // Each shown popup starts the next one from the defaults.
    m_HHPopupTextColor = 0;
    m_HHPopupBackColor = 0;
    m_HHPopupCustomTextColor = 0;
    m_HHPopupCustomBackColor = 0;
    m_HHPopupTextFont = "Arial";
    m_HHPopupTextSize = "10";
    m_HHPopupTextBold = false;
    m_HHPopupTextItalic = false;
    m_HHPopupTextUnderline = false;
}

} // namespace carvel
