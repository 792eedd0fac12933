#include "QtHelpViewer.h"

#include "CaseFolding.h"
#include "ChmArchive.h"
#include "HelpPopup.h"
#include "HelpSitemap.h"
#include "HelpWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>
#include <sstream>

namespace carvel {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> keywordsOf(const std::string& text) {
    std::vector<std::string> keywords;
    std::stringstream split(text);
    for (std::string keyword; std::getline(split, keyword, ';');)
        if (!trimmed(keyword).empty())
            keywords.push_back(folded(trimmed(keyword)));
    return keywords;
}

QWidget* widgetOf(std::intptr_t handle) {
    return handle == 0 ? nullptr : QWidget::find(static_cast<WId>(handle));
}

// The window a help window goes beside: its owner's; else the active one, or, where no window
// manager tells which is active, the program's first window on screen that is not help.
const QWidget* programWindow(const QWidget* owner) {
    if (owner)
        return owner->window();
    const auto suits = [](const QWidget* window) {
        return window && window->isVisible() && window->windowType() != Qt::Popup &&
               window->windowType() != Qt::ToolTip && !dynamic_cast<const HelpWindow*>(window);
    };
    if (suits(QApplication::activeWindow()))
        return QApplication::activeWindow();
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), suits);
    return found == windows.end() ? nullptr : *found;
}

} // namespace

QtHelpViewer::QtHelpViewer(IMessageBox& messages, IShellExecute& shell)
    : m_messages(messages), m_shell(shell) {}

QtHelpViewer::~QtHelpViewer() {
    for (const QPointer<HelpWindow>& window : m_windows)
        delete window.data();
    for (const QPointer<QWidget>& popup : m_popups)
        delete popup.data();
}

QtHelpViewer::Target QtHelpViewer::parseFileArgument(const std::string& argument) {
    Target target;
    std::string rest = argument;
    const std::size_t window = rest.find('>');
    if (window != std::string::npos) {
        target.window = rest.substr(window + 1);
        rest.erase(window);
    }
    const std::size_t inner = rest.find("::");
    if (inner != std::string::npos) {
        target.inner = rest.substr(inner + 2);
        rest.erase(inner);
    }
    target.file = rest;
    return target;
}

std::shared_ptr<ChmArchive> QtHelpViewer::archiveFor(const std::string& file) {
    const QFileInfo info(QString::fromStdString(file));
    const std::string key = info.exists() ? info.canonicalFilePath().toStdString() : file;
    const auto cached = m_archives.find(key);
    if (cached != m_archives.end())
        return cached->second;
    std::shared_ptr<ChmArchive> archive = ChmArchive::open(file);
    if (!archive) {
        m_messages.show({"Cannot open the help file " + file + ".", "HTML Help", MsgButtons::Ok,
                         MsgIcon::Critical, MsgAnswer::Ok, nullptr});
        return nullptr;
    }
    m_archives.emplace(key, archive);
    return archive;
}

HelpWindow* QtHelpViewer::windowFor(const std::shared_ptr<ChmArchive>& archive,
                                    std::string typeName, std::intptr_t owner) {
    if (trimmed(typeName).empty())
        typeName = archive->defaultWindow();
    // A closed window is only waiting to be deleted: it is not shown again.
    for (const QPointer<HelpWindow>& window : m_windows)
        if (window && window->isVisible() &&
            window->property("carvelArchive").toString().toStdString() == archive->path() &&
            folded(window->windowTypeName()) == folded(typeName))
            return window;

    ChmWindowType type;
    if (const auto defined = archive->windowType(typeName))
        type = *defined;
    type.name = typeName;
    QWidget* ownerWindow = widgetOf(owner);
    auto* window = new HelpWindow(archive, type, m_shell, ownerWindow);
    window->setProperty("carvelArchive", QString::fromStdString(archive->path()));
    // Help is read beside the program's window, not over it.
    if (const QWidget* beside = programWindow(ownerWindow))
        window->placeBeside(*beside);
    window->showHome();
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), nullptr), m_windows.end());
    m_windows.emplace_back(window);
    return window;
}

std::intptr_t QtHelpViewer::handleOf(HelpWindow* window) const {
    window->show();
    window->raise();
    window->activateWindow();
    return static_cast<std::intptr_t>(window->winId());
}

std::intptr_t QtHelpViewer::htmlHelp(std::intptr_t owner, const std::optional<std::string>& file,
                                     std::uint32_t command, const HelpData& data) {
    if (command == HH_CLOSE_ALL) {
        closeAll();
        return 0;
    }
    if (command == HH_DISPLAY_TEXT_POPUP) {
        const auto* record = std::get_if<HhPopup>(&data);
        return record ? showPopup(owner, file, *record) : 0;
    }
    if (!file)
        return 0;
    const Target target = parseFileArgument(*file);

    if (command == HH_KEYWORD_LOOKUP || command == HH_ALINK_LOOKUP) {
        const auto* link = std::get_if<HhAkLink>(&data);
        return link ? lookUp(owner, target.file, *link, command == HH_ALINK_LOOKUP) : 0;
    }

    const std::shared_ptr<ChmArchive> archive = archiveFor(target.file);
    if (!archive)
        return 0;

    if (command == HH_HELP_CONTEXT) {
        const auto* number = std::get_if<std::intptr_t>(&data);
        const auto topic =
            number ? archive->topicForContext(static_cast<std::uint32_t>(*number)) : std::nullopt;
        if (!topic) {
            m_messages.show({"The help file " + target.file + " has no topic for context number " +
                                 std::to_string(number ? *number : 0) + ".",
                             "HTML Help", MsgButtons::Ok, MsgIcon::Information, MsgAnswer::Ok,
                             nullptr});
            return 0;
        }
        HelpWindow* window = windowFor(archive, target.window, owner);
        window->showTopic(*topic);
        return handleOf(window);
    }

    HelpWindow* window = windowFor(archive, target.window, owner);
    switch (command) {
    case HH_DISPLAY_TOPIC: {
        const auto* url = std::get_if<std::string>(&data);
        const std::string topic = url && !url->empty() ? *url : target.inner;
        if (!topic.empty())
            window->showTopic(topic);
        break;
    }
    case HH_DISPLAY_TOC:
        if (!target.inner.empty())
            window->showTopic(target.inner);
        window->showContentsPane();
        break;
    case HH_DISPLAY_INDEX:
        window->showIndexPane();
        break;
    case HH_DISPLAY_SEARCH: {
        const auto* query = std::get_if<HhFtsQuery>(&data);
        window->showSearchPane(query ? query->pszSearchQuery.value_or("") : std::string(),
                               query != nullptr && query->fExecute);
        break;
    }
    default:
        break;
    }
    return handleOf(window);
}

std::intptr_t QtHelpViewer::lookUp(std::intptr_t owner, const std::string& file,
                                   const HhAkLink& link, bool associative) {
    const std::shared_ptr<ChmArchive> archive = archiveFor(file);
    if (!archive)
        return 0;
    const std::string typeName = link.pszWindow.value_or("");
    const std::vector<std::string> keywords = keywordsOf(link.pszKeywords.value_or(""));

    std::vector<std::string> topics;
    if (associative) {
        for (const std::string& topic : archive->files()) {
            if (!isTopicFile(topic))
                continue;
            for (const std::string& name : parseALinkNames(archive->read(topic).value_or("")))
                if (std::find(keywords.begin(), keywords.end(), folded(name)) != keywords.end())
                    topics.push_back(topic);
        }
    } else {
        std::string index = archive->indexFile();
        if (const auto type =
                archive->windowType(typeName.empty() ? archive->defaultWindow() : typeName);
            type && !type->indexFile.empty())
            index = type->indexFile;
        for (const SitemapEntry& entry : parseSitemap(archive->read(index).value_or("")))
            if (std::find(keywords.begin(), keywords.end(), folded(entry.name)) != keywords.end())
                topics.push_back(entry.local);
    }

    if (!topics.empty() || link.pszUrl) {
        HelpWindow* window = windowFor(archive, typeName, owner);
        window->showTopic(!topics.empty() ? topics.front() : *link.pszUrl);
        return handleOf(window);
    }
    const std::string title =
        link.pszMsgTitle.value_or(!archive->title().empty() ? archive->title() : "HTML Help");
    const std::string text = link.pszMsgText.value_or("No topic was found for \"" +
                                                      link.pszKeywords.value_or("") + "\".");
    m_messages.show({text, title, MsgButtons::Ok, MsgIcon::Information, MsgAnswer::Ok, nullptr});
    return 0;
}

std::intptr_t QtHelpViewer::showPopup(std::intptr_t owner, const std::optional<std::string>& file,
                                      const HhPopup& record) {
    std::string text = record.pszText.value_or("");
    if (!record.pszText && file) {
        const Target target = parseFileArgument(*file);
        if (const std::shared_ptr<ChmArchive> archive = archiveFor(target.file))
            if (const auto source = archive->read(target.inner))
                text = popupTopic(*source, record.idString);
    }
    if (text.empty())
        return 0;
    auto* popup = new HelpPopup(QString::fromLatin1(text.c_str()), record, widgetOf(owner));
    m_popups.erase(std::remove(m_popups.begin(), m_popups.end(), nullptr), m_popups.end());
    m_popups.emplace_back(popup);
    popup->show();
    return static_cast<std::intptr_t>(popup->winId());
}

void QtHelpViewer::closeAll() {
    for (const QPointer<QWidget>& popup : m_popups)
        if (popup)
            popup->close();
    for (const QPointer<HelpWindow>& window : m_windows)
        if (window)
            window->close();
}

std::vector<HelpWindow*> QtHelpViewer::windows() const {
    std::vector<HelpWindow*> open;
    for (const QPointer<HelpWindow>& window : m_windows)
        if (window && window->isVisible())
            open.push_back(window);
    return open;
}

std::vector<QWidget*> QtHelpViewer::popups() const {
    std::vector<QWidget*> open;
    for (const QPointer<QWidget>& popup : m_popups)
        if (popup && popup->isVisible())
            open.push_back(popup);
    return open;
}

} // namespace carvel
