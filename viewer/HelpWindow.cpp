#include "HelpWindow.h"

#include "CaseFolding.h"
#include "HelpBrowser.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace carvel {

namespace {

QString qt(const std::string& text) {
    return QString::fromLatin1(text.c_str());
}

QUrl topicUrl(const std::string& inner) {
    QUrl url;
    url.setScheme(QStringLiteral("chm"));
    const std::size_t anchor = inner.find('#');
    url.setPath(qt(inner.substr(0, anchor)));
    if (anchor != std::string::npos)
        url.setFragment(qt(inner.substr(anchor + 1)));
    return url;
}

// A help window is a window to screen readers, not a filler inside one.
QAccessibleInterface* helpWindowAccessible(const QString& key, QObject* object) {
    if (key != QLatin1String("QWidget") || dynamic_cast<HelpWindow*>(object) == nullptr)
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

} // namespace

HelpWindow::HelpWindow(std::shared_ptr<const ChmArchive> archive, ChmWindowType type,
                       IShellExecute& shell, QWidget* owner)
    : QWidget(owner, Qt::Window), m_archive(std::move(archive)), m_type(std::move(type)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("HelpWindow"));
    const std::string caption = !m_type.caption.empty()       ? m_type.caption
                                : !m_archive->title().empty() ? m_archive->title()
                                                              : std::string("HTML Help");
    setWindowTitle(qt(caption));
    static const bool windowsInstalled = (QAccessible::installFactory(helpWindowAccessible), true);
    (void)windowsInstalled;
    // Esc closes help as it closes a box; Ctrl+W as it closes a document window.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    auto* back = new QToolButton;
    back->setText(tr("Back"));
    auto* forward = new QToolButton;
    forward->setText(tr("Forward"));
    auto* home = new QToolButton;
    home->setText(tr("Home"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();

    // The panes and boxes show no caption of their own: screen readers get names for them,
    // other than the tab bar's, which is the pane shown.
    m_panes = new QTabWidget;
    m_panes->setObjectName(QStringLiteral("panes"));
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setAccessibleName(tr("Table of contents"));
    m_contents->header()->hide();
    // Titles are shown whole: the column is as wide as the longest, and scrolls when the pane
    // is narrower still.
    m_contents->setTextElideMode(Qt::ElideNone);
    m_contents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_contents->header()->setStretchLastSection(false);
    m_panes->addTab(m_contents, tr("Contents"));

    auto* indexPane = new QWidget;
    m_indexFilter = new QLineEdit;
    m_indexFilter->setObjectName(QStringLiteral("indexFilter"));
    m_indexFilter->setAccessibleName(tr("Keyword"));
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("index"));
    m_index->setAccessibleName(tr("Index entries"));
    auto* indexLayout = new QVBoxLayout(indexPane);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(m_index);
    m_panes->addTab(indexPane, tr("Index"));

    auto* searchPane = new QWidget;
    m_searchQuery = new QLineEdit;
    m_searchQuery->setObjectName(QStringLiteral("searchQuery"));
    m_searchQuery->setAccessibleName(tr("Search words"));
    auto* listTopics = new QPushButton(tr("List Topics"));
    m_searchResults = new QListWidget;
    m_searchResults->setObjectName(QStringLiteral("searchResults"));
    m_searchResults->setAccessibleName(tr("Topics found"));
    auto* searchLayout = new QVBoxLayout(searchPane);
    searchLayout->addWidget(m_searchQuery);
    searchLayout->addWidget(listTopics);
    searchLayout->addWidget(m_searchResults);
    m_panes->addTab(searchPane, tr("Search"));

    m_browser = new HelpBrowser(m_archive, shell, this);
    m_browser->setObjectName(QStringLiteral("topic"));
    m_browser->setAccessibleName(tr("Topic"));

    m_splitter = new QSplitter;
    m_splitter->addWidget(m_panes);
    m_splitter->addWidget(m_browser);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_splitter);

    if (m_type.right > m_type.left && m_type.bottom > m_type.top)
        setGeometry(m_type.left, m_type.top, m_type.right - m_type.left,
                    m_type.bottom - m_type.top);
    else
        resize(800, 580);

    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { showHome(); });
    const auto openItem = [this](const QString& local) {
        if (!local.isEmpty())
            showTopic(local.toStdString());
    };
    connect(m_contents, &QTreeWidget::itemClicked, this, [openItem](QTreeWidgetItem* item) {
        openItem(item->data(0, Qt::UserRole).toString());
    });
    connect(m_index, &QListWidget::itemActivated, this,
            [openItem](QListWidgetItem* item) { openItem(item->data(Qt::UserRole).toString()); });
    connect(m_searchResults, &QListWidget::itemActivated, this,
            [openItem](QListWidgetItem* item) { openItem(item->data(Qt::UserRole).toString()); });
    connect(m_indexFilter, &QLineEdit::textEdited, this, [this](const QString& text) {
        const auto found = m_index->findItems(text, Qt::MatchStartsWith);
        if (!found.isEmpty())
            m_index->setCurrentItem(found.first());
    });
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this, openItem] {
        if (QListWidgetItem* item = m_index->currentItem())
            openItem(item->data(Qt::UserRole).toString());
    });
    connect(listTopics, &QPushButton::clicked, this, [this] { runSearch(); });
    connect(m_searchQuery, &QLineEdit::returnPressed, this, [this] { runSearch(); });

    buildContents();
    buildIndex();
    // The navigation pane of the window type, widened to the longest title of the contents.
    const int navigation = m_type.navigationWidth > 0 ? m_type.navigationWidth : 220;
    // Room is kept for the tab's frame and a scroll bar, should the contents grow long.
    const int titles = static_cast<const QAbstractItemView*>(m_contents)->sizeHintForColumn(0) +
                       4 * m_contents->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    m_splitter->setSizes({std::max(navigation, titles), 600});
    // A narrower or wider window changes the topic's width only.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
}

QRect HelpWindow::besideOf(const QRect& other, const QSize& size, const QRect& available) {
    const int height = std::min(size.height(), available.height());
    const int top =
        std::clamp(other.top(), available.top(), available.top() + available.height() - height);
    const int roomRight = available.left() + available.width() - (other.left() + other.width());
    const int roomLeft = other.left() - available.left();
    const bool right = roomRight >= roomLeft;
    const int room = right ? roomRight : roomLeft;
    int width = room >= size.width()       ? size.width()
                : room >= kNarrowestBeside ? room
                                           : std::min(size.width(), available.width());
    if (room < kNarrowestBeside) {
        // Over the other window, a strip of it stays in view to be clicked, where the help
        // can be narrowed for it and stay readable.
        const int kept = std::min(kKeptInView, other.width());
        const int uncovering = right ? available.left() + available.width() - other.left() - kept
                                     : other.left() + other.width() - kept - available.left();
        if (uncovering >= kNarrowestOver)
            width = std::min(width, uncovering);
    }
    const int left =
        right ? std::min(other.left() + other.width(), available.left() + available.width() - width)
              : std::max(other.left() - width, available.left());
    return {left, top, width, height};
}

void HelpWindow::placeBeside(const QWidget& other) {
    const QScreen* screen = other.screen();
    if (!screen)
        return;
    // Before it is first shown the window knows nothing of its frame: it takes the other's.
    const QMargins frame(other.geometry().left() - other.frameGeometry().left(),
                         other.geometry().top() - other.frameGeometry().top(),
                         other.frameGeometry().right() - other.geometry().right(),
                         other.frameGeometry().bottom() - other.geometry().bottom());
    const QRect place =
        besideOf(other.frameGeometry(), size().grownBy(frame), screen->availableGeometry());
    setGeometry(place.marginsRemoved(frame));
}

void HelpWindow::buildContents() {
    const std::string file =
        !m_type.contentsFile.empty() ? m_type.contentsFile : m_archive->contentsFile();
    if (file.empty())
        return;
    addContents(parseSitemap(m_archive->read(file).value_or("")), nullptr);
    m_contents->expandAll();
}

void HelpWindow::addContents(const std::vector<SitemapEntry>& entries, QTreeWidgetItem* parent) {
    for (const SitemapEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, qt(entry.name));
        item->setData(0, Qt::UserRole, qt(entry.local));
        addContents(entry.children, item);
    }
}

void HelpWindow::buildIndex() {
    const std::string file = !m_type.indexFile.empty() ? m_type.indexFile : m_archive->indexFile();
    if (file.empty())
        return;
    for (const SitemapEntry& entry : parseSitemap(m_archive->read(file).value_or(""))) {
        auto* item = new QListWidgetItem(qt(entry.name), m_index);
        item->setData(Qt::UserRole, qt(entry.local));
    }
}

bool HelpWindow::showTopic(const std::string& inner) {
    const std::size_t anchor = inner.find('#');
    const auto resolved = m_archive->resolve(inner.substr(0, anchor));
    if (!resolved)
        return false;
    m_browser->setSource(
        topicUrl(*resolved + (anchor == std::string::npos ? "" : inner.substr(anchor))));
    return true;
}

void HelpWindow::showHome() {
    for (const std::string& topic :
         {m_type.homeTopic, m_type.defaultTopic, m_archive->defaultTopic()})
        if (!topic.empty() && showTopic(topic))
            return;
}

std::string HelpWindow::currentTopic() const {
    return m_browser->source().path().toStdString();
}

void HelpWindow::showContentsPane() {
    m_panes->setCurrentIndex(0);
}

void HelpWindow::showIndexPane() {
    m_panes->setCurrentIndex(1);
    m_indexFilter->setFocus();
}

void HelpWindow::showSearchPane(const std::string& query, bool execute) {
    m_panes->setCurrentIndex(2);
    m_searchQuery->setText(qt(query));
    m_searchQuery->setFocus();
    if (execute && !query.empty())
        runSearch();
}

std::vector<std::pair<std::string, std::string>>
HelpWindow::search(const std::string& query) const {
    std::vector<std::string> words;
    std::stringstream split(folded(query));
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<std::pair<std::string, std::string>> found;
    if (words.empty())
        return found;
    for (const std::string& file : m_archive->files()) {
        if (!isTopicFile(file))
            continue;
        const std::string html = m_archive->read(file).value_or("");
        const std::string text = folded(plainText(html));
        if (std::all_of(words.begin(), words.end(), [&](const std::string& word) {
                return text.find(word) != std::string::npos;
            })) {
            const std::string title = parseTitle(html);
            found.emplace_back(title.empty() ? file : title, file);
        }
    }
    return found;
}

void HelpWindow::runSearch() {
    m_searchResults->clear();
    for (const auto& [title, file] : search(m_searchQuery->text().toStdString())) {
        auto* item = new QListWidgetItem(qt(title), m_searchResults);
        item->setData(Qt::UserRole, qt(file));
    }
}

} // namespace carvel
