#pragma once

#include "HelpServices.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace carvel {

// The program's way to the HTML Help viewer: holds what a help request needs (the compiled
// help file, the viewer window, a topic, keywords, messages, popup settings) and issues one
// viewer command per kind of request, after checking that the help file is there. It also
// registers help files, checks the installed viewer and browser versions, and shows popups.
// Its own problems are reported in message boxes captioned "Orvane! Error".
//
// The program's help file is looked for beside the program first, where the build puts it and
// where a program folder copied elsewhere keeps it, and then in share/carvel/ next to the
// program's folder (../share/carvel/ from it), where an installation puts it (locateHelpFile).
class HTMLHelp final {
public:
    // programFolder is the folder the program runs from, without a trailing separator.
    HTMLHelp(HelpServices services, std::string programFolder);

    // Display operations; CallingForm is the caller's window handle, 0 for none.
    void HHDisplayTopicURL(std::intptr_t CallingForm = 0);
    void HHDisplayTopicID(std::intptr_t CallingForm = 0);
    void HHDisplaySearch(std::intptr_t CallingForm = 0);
    void HHDisplayKeyword(std::intptr_t CallingForm = 0);
    void HHDisplayIndex(std::intptr_t CallingForm = 0);
    void HHDisplayContents(std::intptr_t CallingForm = 0);
    void HHDisplayALink(std::intptr_t CallingForm = 0);

    // Registration in the HTML Help file registry. The first two shorten the caller's
    // variable to the bare file name. HHCheckRegistry answers nullopt for an empty name and
    // false otherwise; the HHReg* properties carry what it found.
    void HHRegister(std::string& FileToRegister);
    void HHUnRegister(std::string& FileToUnRegister);
    std::optional<bool> HHCheckRegistry(const std::string& FileToCheck);

    void HHClose();
    std::string HHSetHelpFile(std::int16_t intSelHelpFile) const;
    void HHDisplayPopup(std::intptr_t CallingForm);
    void HHInvokeWhatsThisHelp(std::intptr_t CallingForm);
    bool HHVerifyMinConfig(std::int32_t MinHHVersion, std::int32_t MinIEVersion);
    // The full path of the program's help file fileName: beside the program if it is there,
    // else in ../share/carvel/ from the program's folder if it is there, else the path beside
    // the program, under which a display operation reports it missing.
    std::string locateHelpFile(const std::string& fileName);
    // Completes a bare file name to a full path in place and checks that the file exists.
    bool EnsureFileExists(std::string& FileToFind);
    bool GetKeyInfo(const std::string& key_name, std::int16_t indent);
    std::int32_t GetWindowsVersion();

    // Properties.
    void setHHWindow(std::string value) { m_HHWindow = std::move(value); }
    const std::string& HHWindow() const { return m_HHWindow; }
    void setHHTopicURL(std::string value) { m_HHTopicURL = std::move(value); }
    const std::string& HHTopicURL() const { return m_HHTopicURL; }
    void setHHTopicID(std::int32_t value) { m_HHTopicID = value; }
    std::int32_t HHTopicID() const { return m_HHTopicID; }
    void setHHMsgTitle(std::string value) { m_HHMsgTitle = std::move(value); }
    std::string HHMsgTitle() const { return m_HHMsgTitle.value_or(""); }
    void setHHMsgText(std::string value) { m_HHMsgText = std::move(value); }
    std::string HHMsgText() const { return m_HHMsgText.value_or(""); }
    void setHHKeyword(std::string value) { m_HHKeyword = std::move(value); }
    const std::string& HHKeyword() const { return m_HHKeyword; }
    void setHHDefaultURL(std::string value) { m_HHDefaultURL = std::move(value); }
    std::string HHDefaultURL() const { return m_HHDefaultURL.value_or(""); }
    void setHHALink(std::string value) { m_HHALink = std::move(value); }
    const std::string& HHALink() const { return m_HHALink; }
    void setCHMFile(std::string value) { m_CHMFile = std::move(value); }
    const std::string& CHMFile() const { return m_CHMFile; }
    void setHHShowOnTop(bool value) { m_HHShowOnTop = value; }
    bool HHShowOnTop() const { return m_HHShowOnTop; }

    const std::string& HHRegFileName() const { return m_HHRegFileName; }
    const std::string& HHRegFilePath() const { return m_HHRegFilePath; }
    bool HHRegFileExists() const { return m_HHRegFileExists; }

    void setHHPopupFile(std::string value) { m_HHPopupFile = std::move(value); }
    void setHHPopupID(std::int32_t value) { m_HHPopupID = value; }
    void setHHPopupText(std::string value) { m_HHPopupText = std::move(value); }
    void setHHPopupType(std::int32_t value) { m_HHPopupType = value; }
    void setHHPopupTextColor(std::int32_t value) { m_HHPopupTextColor = value; }
    void setHHPopupBackColor(std::int32_t value) { m_HHPopupBackColor = value; }
    void setHHPopupCustomTextColor(std::int32_t value) { m_HHPopupCustomTextColor = value; }
    void setHHPopupCustomBackColor(std::int32_t value) { m_HHPopupCustomBackColor = value; }
    void setHHPopupCustomColors(bool value) { m_HHPopupCustomColors = value; }
    bool HHPopupCustomColors() const { return m_HHPopupCustomColors; }
    void setHHPopupTextFont(std::string value) { m_HHPopupTextFont = std::move(value); }
    void setHHPopupTextSize(std::string value) { m_HHPopupTextSize = std::move(value); }
    void setHHPopupTextBold(bool value) { m_HHPopupTextBold = value; }
    void setHHPopupTextItalic(bool value) { m_HHPopupTextItalic = value; }
    void setHHPopupTextUnderline(bool value) { m_HHPopupTextUnderline = value; }

    // These work their answer out first, from the registry and the installed controls.
    bool HHInstalled();
    const std::string& HHVersion();
    const std::string& IEVersion();
    const std::string& HHFriendlyName();
    const std::string& IEFriendlyName();

private:
    struct RegMatch {
        std::string name;
        std::string data;
    };

    // What each display operation does before it calls the viewer; false when it must stop.
    bool prepareDisplay();
    std::intptr_t ownerOf(std::intptr_t CallingForm) const;
    std::string fileArgument() const;
    HhAkLink linkRecord(const std::string& keywords);

    bool IsValidHelpFile(const std::string& name);
    bool IsValidPopupFile(const std::string& name);
    void ShowErrorMessage(const std::string& text);
    void ShowInfoMessage(const std::string& text);
    std::optional<RegMatch> FindRegValue(const std::string& rootName, const std::string& key,
                                         const std::string& valueName);
    static std::optional<RegRoot> GetRootKey(const std::string& rootName);
    std::pair<std::string, std::uint32_t> GetLongName(const std::string& path,
                                                      std::uint32_t bufferSize);
    std::string longFormOf(const std::string& path);
    static std::string TrimAtNull(const std::string& text);
    std::string GetFileVersionString(const std::string& path);
    // Reads into `version` the file version of the control whose path the classes root holds
    // under `key`; the version is left as it was when the control is missing.
    void readControlVersion(const std::string& key, const std::string& notRegistered,
                            const std::string& notFound, std::string& version);
    void ReadHHVersion();
    void ReadIEVersion();
    void SetHHFriendlyName();
    void SetIEFriendlyName();

    HelpServices m_services;
    std::string m_programFolder;

    std::string m_CHMFile;
    std::string m_HHWindow;
    std::string m_HHTopicURL;
    std::int32_t m_HHTopicID = 0;
    std::string m_HHKeyword;
    std::string m_HHALink;
    // These three can become null strings, which the viewer reads as "use your own default".
    std::optional<std::string> m_HHDefaultURL = std::string();
    std::optional<std::string> m_HHMsgText = std::string();
    std::optional<std::string> m_HHMsgTitle = std::string();
    bool m_HHShowOnTop = false;

    std::string m_HHRegFileName;
    std::string m_HHRegFilePath;
    bool m_HHRegFileExists = false;

    std::string m_HHPopupFile;
    std::int32_t m_HHPopupID = 0;
    std::string m_HHPopupText;
    std::int32_t m_HHPopupType = 0;
    std::int32_t m_HHPopupTextColor = 0;
    std::int32_t m_HHPopupBackColor = 0;
    std::int32_t m_HHPopupCustomTextColor = 0;
    std::int32_t m_HHPopupCustomBackColor = 0;
    bool m_HHPopupCustomColors = false;
    std::string m_HHPopupTextFont;
    std::string m_HHPopupTextSize;
    bool m_HHPopupTextBold = false;
    bool m_HHPopupTextItalic = false;
    bool m_HHPopupTextUnderline = false;

    bool m_HHInstalled = false;
    std::string m_HHVersion;
    std::string m_IEVersion;
    std::string m_HHFriendlyName;
    std::string m_IEFriendlyName;
};

} // namespace carvel
