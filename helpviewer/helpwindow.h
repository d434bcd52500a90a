#pragma once

#include "helpviewer/helpbook.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace zv {

class HelpBrowser;
class HelpLoader;

// The help viewer's window: the contents tree and the index beside the page, with Back,
// Forward and Home, over one help file. Named and captioned after the file's window definition.
// It opens at once and reads the file meanwhile, saying so on its page; closing it, or Escape,
// gives the reading up.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Reads helpFile for its window definition windowName.
    HelpWindow(const QString &helpFile, const QString &windowName, QWidget *parent = nullptr);

    // The contents tab, at the first page when none is on view yet.
    void ShowContents();
    // The index tab with the focus in its keyword field, at the first page when none is on
    // view yet.
    void ShowIndex();
    // The page that topic names ("mg.html", "/mg.html#keys"); the viewer's own page when the
    // file lacks it. Asked while the file is read, it is shown once it has been.
    void ShowTopic(const QString &topic);
    // Whether the file is still being read.
    bool isReading() const { return m_loader != nullptr; }

    HelpBrowser *browser() const { return m_browser; }
    QTabWidget *navigation() const { return m_tabs; }
    QTreeWidget *contentsTree() const { return m_contents; }
    QTreeWidget *indexList() const { return m_index; }
    QLineEdit *keywordField() const { return m_keyword; }

private:
    void SetBook(HelpBook book);
    void ApplyBook(bool opening);
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
    HelpLoader *m_loader = nullptr;
    QString m_pendingTopic; // null when none was asked while reading
    QAction *m_stop = nullptr;
    QAction *m_home = nullptr;
    QSplitter *m_splitter = nullptr;
    HelpBrowser *m_browser = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QTreeWidget *m_index = nullptr;
    QLineEdit *m_keyword = nullptr;
};

} // namespace zv
