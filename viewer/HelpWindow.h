#pragma once

#include "ChmArchive.h"
#include "HelpSitemap.h"
#include "IShellExecute.h"

#include <QRect>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace carvel {

class HelpBrowser;

// A help window of one window type of a compiled help file: the contents, index and search
// panes beside the topic. It deletes itself when closed.
class HelpWindow final : public QWidget {
public:
    // Links to the web in its topics go to shell.
    HelpWindow(std::shared_ptr<const ChmArchive> archive, ChmWindowType type, IShellExecute& shell,
               QWidget* owner);

    // Where a window of frame size `size` goes beside the frame `other` on a screen whose free
    // area is `available`: at its right or left where there is room, narrowed down to
    // kNarrowestBeside if need be; else at the screen's edge on the roomier side, so it covers
    // as little of `other` as it can, and leaves kKeptInView pixels of `other` uncovered where
    // it need not be narrower than kNarrowestOver for that.
    static QRect besideOf(const QRect& other, const QSize& size, const QRect& available);
    static constexpr int kNarrowestBeside = 600;
    // Enough for the other window's first toolbar button.
    static constexpr int kKeptInView = 80;
    static constexpr int kNarrowestOver = 320;
    // Moves the window beside `other`, on its screen.
    void placeBeside(const QWidget& other);

    const std::string& windowTypeName() const { return m_type.name; }
    // Shows a topic by its path in the help file; false when the file has no such topic.
    bool showTopic(const std::string& inner);
    void showHome();
    std::string currentTopic() const;
    void showContentsPane();
    void showIndexPane();
    void showSearchPane(const std::string& query, bool execute);
    // The topics whose text holds every word of the query, as (title, path).
    std::vector<std::pair<std::string, std::string>> search(const std::string& query) const;

private:
    void buildContents();
    void addContents(const std::vector<SitemapEntry>& entries, QTreeWidgetItem* parent);
    void buildIndex();
    void runSearch();

    std::shared_ptr<const ChmArchive> m_archive;
    ChmWindowType m_type;
    QTabWidget* m_panes;
    QSplitter* m_splitter;
    QTreeWidget* m_contents;
    QLineEdit* m_indexFilter;
    QListWidget* m_index;
    QLineEdit* m_searchQuery;
    QListWidget* m_searchResults;
    HelpBrowser* m_browser;
};

} // namespace carvel
