#include "helpviewer/helpwindow.h"

#include "helpviewer/helpbrowser.h"
#include "helpviewer/helploader.h"
#include "helpviewer/helptarget.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

namespace zv {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFragmentRole = Qt::UserRole + 1;

constexpr QSize kDefaultSize(820, 600);
constexpr int kDefaultNavigationWidth = 240;
// A window definition's size is taken within these bounds.
constexpr int kMinimumSide = 320;
constexpr int kMaximumSide = 4000;

QString FromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QSize DefinedSize(const ChmWindow &window)
{
    if (!window.hasRect)
        return kDefaultSize;
    // In 64 bits: the corners are any 32-bit values the file holds.
    const auto side = [](int from, int to) {
        const long long length = static_cast<long long>(to) - from;
        return static_cast<int>(std::clamp<long long>(length, kMinimumSide, kMaximumSide));
    };
    return {side(window.left, window.right), side(window.top, window.bottom)};
}

void SetLink(QTreeWidgetItem *item, const SitemapLink &link)
{
    const HelpTarget target = ResolveHelpTarget(link.local);
    item->setData(0, kPathRole, FromUtf8(target.path));
    item->setData(0, kFragmentRole, FromUtf8(target.fragment));
}

// Every item of tree in the order shown, children after their parent.
std::vector<QTreeWidgetItem *> AllItems(QTreeWidget *tree)
{
    std::vector<QTreeWidgetItem *> items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        items.push_back(*it);
    return items;
}

} // namespace

HelpWindow::HelpWindow(const QString &helpFile, const QString &windowName, QWidget *parent)
    : QMainWindow(parent)
    , m_book(std::make_shared<const HelpBook>())
{
    m_browser = new HelpBrowser(std::shared_ptr<const ChmArchive>(m_book, &m_book->archive), false);
    connect(m_browser, &HelpBrowser::pageShown, this, &HelpWindow::SelectContentsEntry);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("navigation"));
    m_tabs->setAccessibleName(QStringLiteral("Contents and index"));
    m_tabs->setAccessibleDescription(QStringLiteral("The help's topics, as a tree or by keyword."));
    m_tabs->addTab(CreateContentsTab(), QStringLiteral("&Contents"));
    m_tabs->addTab(CreateIndexTab(), QStringLiteral("&Index"));
    m_tabs->setTabToolTip(0, QStringLiteral("The help's topics as a tree."));
    m_tabs->setTabToolTip(1, QStringLiteral("The help's keywords."));

    m_splitter = new QSplitter;
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    m_browser->setAccessibleDescription(QStringLiteral("The help topic on view."));
    CreateToolBar();
    ApplyBook(true);

    m_stop = new QAction(QStringLiteral("Stop reading"), this);
    m_stop->setObjectName(QStringLiteral("stop"));
    m_stop->setShortcut(Qt::Key_Escape);
    connect(m_stop, &QAction::triggered, this, &QWidget::close);
    addAction(m_stop);
    m_browser->setHtml(QStringLiteral(
        "<html><body><h1>Reading the help file\u2026</h1><p>Press Escape or close this window "
        "to stop.</p></body></html>"));
    m_loader = new HelpLoader(
        QFile::encodeName(helpFile).toStdString(), windowName.toStdString(),
        [this](HelpBook book) { SetBook(std::move(book)); }, this);
}

void HelpWindow::SetBook(HelpBook book)
{
    m_loader->deleteLater();
    m_loader = nullptr;
    m_stop->setEnabled(false);
    m_home->setEnabled(true);
    // A window the user has not resized yet takes the size of the file's definition.
    const bool opening = size() == DefinedSize(m_book->window);
    m_book = std::make_shared<const HelpBook>(std::move(book));
    m_browser->SetArchive(std::shared_ptr<const ChmArchive>(m_book, &m_book->archive),
                          m_book->status != ChmReadStatus::kOk);
    ApplyBook(opening);
    m_browser->clear();
    ShowHome();
    if (!m_pendingTopic.isNull())
        ShowTopic(std::exchange(m_pendingTopic, QString()));
}

// The name, caption, contents, index and size that the book in hand gives the window.
void HelpWindow::ApplyBook(bool opening)
{
    const QString name = FromUtf8(m_book->window.name);
    setObjectName(name.isEmpty() ? QStringLiteral("help") : name);
    const QString caption = FromUtf8(m_book->caption);
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Help") : caption);
    m_contents->clear();
    FillTree(m_contents, m_book->contents, true);
    m_index->clear();
    FillTree(m_index, m_book->index, false);
    m_index->expandAll();
    if (!opening)
        return;
    const int navigationWidth = m_book->window.navigationWidth > 0
                                    ? std::clamp(m_book->window.navigationWidth, 120, 600)
                                    : kDefaultNavigationWidth;
    const QSize size = DefinedSize(m_book->window);
    m_splitter->setSizes({navigationWidth, std::max(1, size.width() - navigationWidth)});
    resize(size);
}

void HelpWindow::CreateToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("tools"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    QAction *back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                   QStringLiteral("Back"), m_browser, &QTextBrowser::backward);
    back->setObjectName(QStringLiteral("back"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);

    QAction *forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                      QStringLiteral("Forward"), m_browser, &QTextBrowser::forward);
    forward->setObjectName(QStringLiteral("forward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    m_home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Home"),
                            this, &HelpWindow::ShowHome);
    m_home->setObjectName(QStringLiteral("home"));
    // Reached by keyboard as Back and Forward are (tool bar buttons take no focus).
    m_home->setShortcut(Qt::ALT | Qt::Key_Home);
    m_home->setEnabled(false); // until the file has been read
}

QWidget *HelpWindow::CreateContentsTab()
{
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setAccessibleName(QStringLiteral("Contents"));
    m_contents->setAccessibleDescription(QStringLiteral("The help's topics; Enter opens one."));
    m_contents->setHeaderHidden(true);
    // One click opens a topic, as in the usual help viewers; Enter does too.
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::ShowItem);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::ShowItem);
    return m_contents;
}

QWidget *HelpWindow::CreateIndexTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *label = new QLabel(QStringLiteral("Type in the &keyword to find:"));
    m_keyword = new QLineEdit;
    m_keyword->setObjectName(QStringLiteral("keyword"));
    m_keyword->setAccessibleDescription(
        QStringLiteral("The index shows the first keyword that begins so."));
    label->setBuddy(m_keyword);
    m_index = new QTreeWidget;
    m_index->setObjectName(QStringLiteral("index"));
    m_index->setAccessibleName(QStringLiteral("Index"));
    m_index->setAccessibleDescription(QStringLiteral("The help's keywords; Enter opens one."));
    m_index->setHeaderHidden(true);
    m_index->setRootIsDecorated(false);
    auto *display = new QPushButton(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("display"));
    display->setAccessibleDescription(QStringLiteral("Opens the topic of the chosen keyword."));
    layout->addWidget(label);
    layout->addWidget(m_keyword);
    layout->addWidget(m_index, 1);
    layout->addWidget(display, 0, Qt::AlignRight);

    connect(m_keyword, &QLineEdit::textEdited, this, &HelpWindow::FindKeyword);
    connect(m_keyword, &QLineEdit::returnPressed, this,
            [this] { ShowItem(m_index->currentItem()); });
    connect(display, &QPushButton::clicked, this, [this] { ShowItem(m_index->currentItem()); });
    connect(m_index, &QTreeWidget::itemActivated, this, &HelpWindow::ShowItem);
    return tab;
}

void HelpWindow::FillTree(QTreeWidget *tree, const std::vector<SitemapEntry> &entries, bool books)
{
    const QIcon bookIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon pageIcon = style()->standardIcon(QStyle::SP_FileIcon);
    // The last item at each depth, for the children that follow it.
    std::vector<QTreeWidgetItem *> parents;
    for (const SitemapEntry &entry : entries) {
        const size_t depth = std::min(static_cast<size_t>(entry.depth), parents.size());
        parents.resize(depth);
        auto *item =
            parents.empty() ? new QTreeWidgetItem(tree) : new QTreeWidgetItem(parents.back());
        item->setText(0, FromUtf8(entry.name));
        if (!entry.links.empty())
            SetLink(item, entry.links.front());
        // An index keyword with several pages lists them under it by their titles.
        if (entry.links.size() > 1) {
            for (const SitemapLink &link : entry.links) {
                auto *topic = new QTreeWidgetItem(item);
                topic->setText(0, FromUtf8(link.title.empty() ? link.local : link.title));
                SetLink(topic, link);
            }
        }
        parents.push_back(item);
    }
    if (books) {
        for (QTreeWidgetItem *item : AllItems(tree))
            item->setIcon(0, item->childCount() > 0 ? bookIcon : pageIcon);
    }
}

void HelpWindow::ShowContents()
{
    m_tabs->setCurrentIndex(0);
    if (!isReading() && m_browser->source().isEmpty())
        ShowHome();
}

void HelpWindow::ShowIndex()
{
    m_tabs->setCurrentIndex(1);
    m_keyword->setFocus();
    if (!isReading() && m_browser->source().isEmpty())
        ShowHome();
}

void HelpWindow::ShowTopic(const QString &topic)
{
    if (isReading()) {
        m_pendingTopic = topic;
        return;
    }
    const HelpTarget target = ResolveHelpTarget(topic.toStdString());
    ShowLink(FromUtf8(target.path), FromUtf8(target.fragment));
}

void HelpWindow::ShowHome()
{
    if (isReading())
        return;
    ShowTopic(FromUtf8(m_book->home));
}

void HelpWindow::ShowLink(const QString &path, const QString &fragment)
{
    m_browser->ShowPage(path, fragment);
}

void HelpWindow::ShowItem(QTreeWidgetItem *item)
{
    if (item == nullptr)
        return;
    const QString path = item->data(0, kPathRole).toString();
    if (!path.isEmpty())
        ShowLink(path, item->data(0, kFragmentRole).toString());
}

void HelpWindow::SelectContentsEntry(const QString &path)
{
    // The contents follow the page on view, whichever way it was reached: the entry for the
    // page and its anchor, else the one for the top of the page, else any for the page.
    const QString fragment = m_browser->source().fragment();
    QTreeWidgetItem *best = nullptr;
    int bestRank = 0;
    for (QTreeWidgetItem *item : AllItems(m_contents)) {
        if (item->data(0, kPathRole).toString().compare(path, Qt::CaseInsensitive) != 0)
            continue;
        const QString itemFragment = item->data(0, kFragmentRole).toString();
        const int rank = itemFragment == fragment ? 3 : itemFragment.isEmpty() ? 2 : 1;
        if (rank > bestRank) {
            best = item;
            bestRank = rank;
        }
    }
    const QSignalBlocker quiet(m_contents);
    m_contents->setCurrentItem(best);
    if (best != nullptr)
        m_contents->scrollToItem(best);
}

void HelpWindow::FindKeyword(const QString &text)
{
    if (text.isEmpty())
        return;
    for (QTreeWidgetItem *item : AllItems(m_index)) {
        if (item->text(0).startsWith(text, Qt::CaseInsensitive)) {
            m_index->setCurrentItem(item);
            m_index->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

} // namespace zv
