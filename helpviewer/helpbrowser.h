#pragma once

#include <QTextBrowser>
#include <memory>

namespace zv {

class ChmArchive;

// The page pane of the help window: shows the pages of one help file and serves their
// pictures and style sheets from it. Pages are addressed as "help:/page.html#anchor"; a page
// the file lacks shows a short page of the viewer's own.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    // damaged: the file could not be read whole, which the missing-page text then says.
    HelpBrowser(std::shared_ptr<const ChmArchive> archive, bool damaged, QWidget *parent = nullptr);

    // The file whose pages are shown from now on.
    void SetArchive(std::shared_ptr<const ChmArchive> archive, bool damaged);
    // Shows the page at path (from the file's root) and scrolls to fragment.
    void ShowPage(const QString &path, const QString &fragment = {});
    // The path of the page on view, empty before the first.
    QString currentPage() const;
    // Whether the page on view is one that the file lacks.
    bool showsMissingPage() const { return m_missing; }

    QVariant loadResource(int type, const QUrl &name) override;
    void backward() override;
    void forward() override;

signals:
    // After every change of page, with the new page's path.
    void pageShown(const QString &path);

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    void FollowLink(const QUrl &link);

    std::shared_ptr<const ChmArchive> m_archive;
    bool m_damaged;
    bool m_missing = false;
};

} // namespace zv
