#include "helpviewer/helpwindow.h"

#include "helpviewer/helpbrowser.h"
#include "helpviewer/helptarget.h"

#include <QAction>
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

HelpWindow::HelpWindow(HelpBook book, QWidget *parent)
    : QMainWindow(parent)
    , m_book(std::make_shared<const HelpBook>(std::move(book)))
{
    const QString name = FromUtf8(m_book->window.name);
    setObjectName(name.isEmpty() ? QStringLiteral("help") : name);
    const QString caption = FromUtf8(m_book->caption);
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Help") : caption);

    // The page pane shares the file with the window, whichever of them goes first.
    m_browser = new HelpBrowser(std::shared_ptr<const ChmArchive>(m_book, &m_book->archive),
                                m_book->status != ChmReadStatus::kOk);
    connect(m_browser, &HelpBrowser::pageShown, this, &HelpWindow::SelectContentsEntry);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("navigation"));
    m_tabs->addTab(CreateContentsTab(), QStringLiteral("&Contents"));
    m_tabs->addTab(CreateIndexTab(), QStringLiteral("&Index"));

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    const int navigationWidth = m_book->window.navigationWidth > 0
                                    ? std::clamp(m_book->window.navigationWidth, 120, 600)
                                    : kDefaultNavigationWidth;
    const QSize size = DefinedSize(m_book->window);
    splitter->setSizes({navigationWidth, std::max(1, size.width() - navigationWidth)});
    setCentralWidget(splitter);
    CreateToolBar();
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

    QAction *home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                   QStringLiteral("Home"), this, &HelpWindow::ShowHome);
    home->setObjectName(QStringLiteral("home"));
}

QWidget *HelpWindow::CreateContentsTab()
{
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setHeaderHidden(true);
    FillTree(m_contents, m_book->contents, true);
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
    label->setBuddy(m_keyword);
    m_index = new QTreeWidget;
    m_index->setObjectName(QStringLiteral("index"));
    m_index->setHeaderHidden(true);
    m_index->setRootIsDecorated(false);
    FillTree(m_index, m_book->index, false);
    m_index->expandAll();
    auto *display = new QPushButton(QStringLiteral("&Display"));
    display->setObjectName(QStringLiteral("display"));
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
    if (m_browser->source().isEmpty())
        ShowHome();
}

void HelpWindow::ShowIndex()
{
    m_tabs->setCurrentIndex(1);
    m_keyword->setFocus();
    if (m_browser->source().isEmpty())
        ShowHome();
}

void HelpWindow::ShowTopic(const QString &topic)
{
    const HelpTarget target = ResolveHelpTarget(topic.toStdString());
    ShowLink(FromUtf8(target.path), FromUtf8(target.fragment));
}

void HelpWindow::ShowHome()
{
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
