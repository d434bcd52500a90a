#include "helpviewer/helpbrowser.h"

#include "helpviewer/chmarchive.h"
#include "helpviewer/helptarget.h"

#include <QDesktopServices>
#include <utility>

namespace zv {

namespace {

const QString kScheme = QStringLiteral("help");

QUrl PageUrl(const QString &path, const QString &fragment)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(path);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

// The object a resource name stands for, as a path from the root of the help file.
std::string ObjectPath(const QUrl &name)
{
    const QString link = name.scheme() == kScheme ? name.path() : name.toString();
    return ResolveHelpTarget(link.toStdString()).path;
}

QByteArray MissingPage(const QString &path, bool damaged)
{
    const QString advice =
        damaged ? QStringLiteral("The help file could not be read whole, and this page is missing "
                                 "from it. Installing Zerovane again brings back a sound help "
                                 "file.")
                : QStringLiteral("The help file has no page of that name. Choose a topic in "
                                 "the Contents or the Index.");
    const QString page = QStringLiteral("<html><head><title>Page not found</title></head><body>"
                                        "<h1>Page not found</h1><p><b>%1</b></p><p>%2</p>"
                                        "</body></html>")
                             .arg(path.mid(1).toHtmlEscaped(), advice);
    return page.toUtf8();
}

} // namespace

HelpBrowser::HelpBrowser(std::shared_ptr<const ChmArchive> archive, bool damaged, QWidget *parent)
    : QTextBrowser(parent)
    , m_archive(std::move(archive))
    , m_damaged(damaged)
{
    setObjectName(QStringLiteral("page"));
    // Links are followed here, so that web addresses go to the browser and the rest stays in
    // the help file.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::FollowLink);
}

void HelpBrowser::SetArchive(std::shared_ptr<const ChmArchive> archive, bool damaged)
{
    m_archive = std::move(archive);
    m_damaged = damaged;
}

void HelpBrowser::ShowPage(const QString &path, const QString &fragment)
{
    setSource(PageUrl(path, fragment), QTextDocument::HtmlResource);
}

QString HelpBrowser::currentPage() const
{
    return source().path();
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    QTextBrowser::doSetSource(name, type);
    emit pageShown(currentPage());
}

// Back and Forward change the page without passing through doSetSource.
void HelpBrowser::backward()
{
    QTextBrowser::backward();
    emit pageShown(currentPage());
}

void HelpBrowser::forward()
{
    QTextBrowser::forward();
    emit pageShown(currentPage());
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const std::string path = ObjectPath(name);
    const std::string *object = m_archive->Find(path);
    if (type == QTextDocument::HtmlResource) {
        m_missing = object == nullptr;
        if (m_missing)
            return MissingPage(QString::fromStdString(path), m_damaged);
    }
    if (object == nullptr)
        return {};
    return QByteArray(object->data(), static_cast<qsizetype>(object->size()));
}

void HelpBrowser::FollowLink(const QUrl &link)
{
    if (link.scheme() == kScheme) {
        ShowPage(link.path(), link.fragment());
        return;
    }
    const QString text = link.toString();
    if (IsExternalHelpLink(text.toStdString())) {
        QDesktopServices::openUrl(link);
        return;
    }
    // A link written in the help file's own form ("ms-its:...::/page.html").
    const HelpTarget target = ResolveHelpTarget(text.toStdString(), currentPage().toStdString());
    ShowPage(QString::fromStdString(target.path), QString::fromStdString(target.fragment));
}

} // namespace zv
