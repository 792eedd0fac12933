#include "frmAbout.h"

#include "AboutTexts.h"
#include "Artwork.h"
#include "Twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace carvel {

namespace {

using AboutTexts::kGuideName;
using AboutTexts::kLinkCaption;
using AboutTexts::kMakerFirstHalf;
using AboutTexts::kMakerSecondHalf;
using AboutTexts::kNoticeLine;
using AboutTexts::kProductName;
// Where an installation puts the user guide, from the program's folder.
const char* const kInstalledGuide = "../share/carvel/UserGuide.html";

// What a screen reader meets in the About box's link: a link, which its press action opens as
// Enter does.
class LinkAccessible final : public QAccessibleWidget {
public:
    explicit LinkAccessible(QWidget* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QAccessible::State state() const override {
        QAccessible::State linkState = QAccessibleWidget::state();
        linkState.linked = true;
        return linkState;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction())
            return QAccessibleWidget::doAction(action);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(widget(), &enter);
    }
};

const char* const kLinkMark = "carvelLink";

QAccessibleInterface* linkAccessible(const QString& key, QObject* object) {
    if (key != QLatin1String("QLabel") || !object->property(kLinkMark).toBool())
        return nullptr;
    return new LinkAccessible(static_cast<QWidget*>(object));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

} // namespace

frmAbout::frmAbout(IShellExecute& shell, IMessageBox& messages, Program program, QWidget* parent)
    : QDialog(parent), m_shell(shell), m_messages(messages), m_program(program) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(Artwork::windowIcon());
    // A fixed dialog border: a caption and a close box, nothing to minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsSize(4815, 1920));
    // The places below were laid out for the platform's 8-point dialog font.
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto* image1 = makeLabel(this, "Image1", QString(), twipsRect(240, 240, 615, 855));
    image1->setPixmap(Artwork::aboutLogo());
    image1->setScaledContents(true);

    auto* productName = makeLabel(this, "lblProductName", QLatin1String(kProductName),
                                  twipsRect(960, 240, 2415, 495));
    QFont productFont(QStringLiteral("Arial"));
    productFont.setPointSizeF(21.75);
    productFont.setBold(true);
    productName->setFont(productFont);
    QPalette red = productName->palette();
    red.setColor(QPalette::WindowText, QColor(0xff, 0x00, 0x00));
    productName->setPalette(red);

    auto* label3 =
        makeLabel(this, "Label3", QStringLiteral("\u00ae"), twipsRect(3360, 360, 375, 255));
    QFont markFont(QStringLiteral("MS Sans Serif"));
    markFont.setPointSizeF(9.75);
    label3->setFont(markFont);

    makeLabel(this, "Label1", QString::fromUtf8(kNoticeLine), twipsRect(1080, 840, 2655, 255));

    QFont makerFont(QStringLiteral("Bookman Old Style"));
    makerFont.setPointSize(12);
    makerFont.setWeight(QFont::DemiBold);
    auto* makerFirst =
        makeLabel(this, "lblMaker", QLatin1String(kMakerFirstHalf), twipsRect(240, 1320, 855, 255));
    makerFirst->setFont(makerFont);
    auto* label2 =
        makeLabel(this, "Label2", QLatin1String(kMakerSecondHalf), twipsRect(1095, 1320, 855, 255));
    makerFont.setItalic(true);
    label2->setFont(makerFont);

    // Marked before it has a text: setting one makes Qt ask for its accessibility interface,
    // which is kept once made.
    m_lblWebsite = new QLabel(this);
    m_lblWebsite->setObjectName(QStringLiteral("lblWebsite"));
    m_lblWebsite->setProperty(kLinkMark, true);
    static const bool linksInstalled = (QAccessible::installFactory(linkAccessible), true);
    (void)linksInstalled;
    m_lblWebsite->setText(QLatin1String(kLinkCaption));
    m_lblWebsite->setGeometry(twipsRect(240, 1560, 1455, 255));
    // The caption is for reading; only the tag is ever opened.
    m_lblWebsite->setProperty("tag", documentationAddress(QCoreApplication::applicationDirPath()));
    m_lblWebsite->setCursor(Artwork::linkCursor());
    m_lblWebsite->setMouseTracking(true);
    m_lblWebsite->setAcceptDrops(false);
    m_lblWebsite->installEventFilter(this);
    // Tab reaches the link and Enter opens it; a click leaves the focus where it was.
    m_lblWebsite->setFocusPolicy(Qt::TabFocus);
    m_lblWebsite->setAccessibleName(QLatin1String(kLinkCaption));
    m_lblWebsite->setAccessibleDescription(QStringLiteral("Opens the user guide in a web browser"));
    showLinkNormal();

    m_cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twipsRect(3600, 1320, 1095, 375));
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    // OK keeps the focus the box opens with; the link comes after it.
    setTabOrder(m_cmdOK, m_lblWebsite);
    m_cmdOK->setFocus();

    Form_Load();
}

QString frmAbout::documentationAddress(const QString& programFolder) {
    const QDir folder(programFolder);
    QString path = folder.filePath(QLatin1String(kGuideName));
    if (!QFileInfo::exists(path) &&
        QFileInfo::exists(folder.filePath(QLatin1String(kInstalledGuide))))
        path = QDir::cleanPath(folder.filePath(QLatin1String(kInstalledGuide)));
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

void frmAbout::HyperJump(QString URL) {
    if (m_shell.execute("open", URL.toStdString()))
        return;
    const QUrl address(URL);
    const QString shown = address.isLocalFile() ? address.toLocalFile() : URL;
    m_messages.show({AboutTexts::noBrowserText(shown.toStdString()),
                     m_program == Program::Carvel ? kProductName : "Seamer", MsgButtons::Ok,
                     MsgIcon::Critical, MsgAnswer::Ok, this});
}

void frmAbout::Form_Load() {
    // Seamer's box has no load step and keeps "About".
    if (m_program == Program::Carvel)
        setWindowTitle(QLatin1String(kProductName));
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - rect().center());
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_lblWebsite)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Enter:
        if (!m_dragging)
            lblWebsite_MouseMove();
        break;
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        // While the button is held the label keeps receiving moves, also from outside it.
        if (!m_lblWebsite->rect().contains(move->position().toPoint())) {
            m_pressed = false;
            lblWebsite_DragOver(m_lblWebsite, DragState::Leave);
        } else if (m_dragging) {
            lblWebsite_DragOver(m_lblWebsite, DragState::Over);
        } else {
            lblWebsite_MouseMove();
        }
        break;
    }
    case QEvent::Leave:
        lblWebsite_DragOver(m_lblWebsite, DragState::Leave);
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (!m_dragging)
                lblWebsite_MouseMove();
            m_pressed = true;
        }
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* release = static_cast<QMouseEvent*>(event);
        const bool click = m_pressed && release->button() == Qt::LeftButton &&
                           m_lblWebsite->rect().contains(release->position().toPoint());
        m_pressed = false;
        if (click)
            lblWebsite_DragDrop(m_lblWebsite);
        return true;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            break;
        lblWebsite_DragDrop(m_lblWebsite);
        return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (!m_dragging)
            showLinkNormal();
        break;
    case QEvent::DragLeave:
        lblWebsite_DragOver(nullptr, DragState::Leave);
        break;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        lblWebsite_DragDrop(drop->source());
        drop->ignore();
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::lblWebsite_MouseMove() {
    showLinkHot();
    m_dragging = true;
}

void frmAbout::lblWebsite_DragOver(const QObject* /*source*/, DragState state) {
    // Whatever is being dragged, leaving the link ends its drag and its hot look.
    if (state != DragState::Leave)
        return;
    m_dragging = false;
    showLinkNormal();
}

void frmAbout::lblWebsite_DragDrop(const QObject* source) {
    // Only the link's own drag is a click on it; anything dropped from elsewhere opens nothing.
    if (source != m_lblWebsite)
        return;
    m_dragging = false;
    HyperJump(m_lblWebsite->property("tag").toString());
    showLinkNormal();
}

void frmAbout::showLinkNormal() {
    QPalette look = m_lblWebsite->palette();
    look.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    m_lblWebsite->setPalette(look);
    QFont font = m_lblWebsite->font();
    // Underlined while it has the keyboard's focus, so the user sees where Enter goes.
    font.setUnderline(m_lblWebsite->hasFocus());
    m_lblWebsite->setFont(font);
}

void frmAbout::showLinkHot() {
    QPalette look = m_lblWebsite->palette();
    look.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::Highlight));
    m_lblWebsite->setPalette(look);
    QFont font = m_lblWebsite->font();
    font.setUnderline(true);
    m_lblWebsite->setFont(font);
}

} // namespace carvel
