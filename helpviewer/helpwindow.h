#pragma once

#include "helpviewer/helpbook.h"

#include <QMainWindow>
#include <memory>

class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace zv {

class HelpBrowser;

// The help viewer's window: the contents tree and the index beside the page, with Back,
// Forward and Home, over one help file. Named and captioned after the file's window definition.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(HelpBook book, QWidget *parent = nullptr);

    // The contents tab, at the first page when none is on view yet.
    void ShowContents();
    // The index tab with the focus in its keyword field, at the first page when none is on
    // view yet.
    void ShowIndex();
    // The page that topic names ("mg.html", "/mg.html#keys"); the viewer's own page when the
    // file lacks it.
    void ShowTopic(const QString &topic);

    HelpBrowser *browser() const { return m_browser; }
    QTabWidget *navigation() const { return m_tabs; }
    QTreeWidget *contentsTree() const { return m_contents; }
    QTreeWidget *indexList() const { return m_index; }
    QLineEdit *keywordField() const { return m_keyword; }

private:
    void CreateToolBar();
    QWidget *CreateContentsTab();
    QWidget *CreateIndexTab();
    void FillTree(QTreeWidget *tree, const std::vector<SitemapEntry> &entries, bool books);
    void ShowLink(const QString &path, const QString &fragment);
    void ShowItem(QTreeWidgetItem *item);
    void ShowHome();
    void SelectContentsEntry(const QString &path);
    void FindKeyword(const QString &text);

    std::shared_ptr<const HelpBook> m_book;
    HelpBrowser *m_browser = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QTreeWidget *m_index = nullptr;
    QLineEdit *m_keyword = nullptr;
};

} // namespace zv
