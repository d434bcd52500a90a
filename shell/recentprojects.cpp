#include "shell/recentprojects.h"

#include "shell/settingsfile.h"
#include "shell/storedsettings.h"
#include "ui/systempath.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <string>
#include <utility>

namespace zv {

namespace {

const char *const kGroup = "RecentProjects";

// A path's bytes as a quoted settings value: the reader takes quotes, backslashes and line
// breaks back from their escapes, and every other byte as it stands.
std::string QuotedValue(const QByteArray &bytes)
{
    std::string value = "\"";
    for (const char c : bytes) {
        switch (c) {
        case '"':
            value += "\\\"";
            break;
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value + '"';
}

QString AbsolutePath(const QString &path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().filePath(path));
}

// The path as a menu shows it: its access number first, and its own ampersands doubled so
// that none of them becomes an access letter.
QString EntryText(int number, const QString &path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 ").arg(number) + shown;
}

} // namespace

QStringList WithRecentProject(QStringList projects, const QString &path)
{
    const QByteArray bytes = PathBytes(path);
    projects.removeIf([&bytes](const QString &project) { return PathBytes(project) == bytes; });
    projects.prepend(path);
    return projects.mid(0, kRecentProjectCount);
}

QStringList StoredRecentProjects()
{
    const StoredSettings settings;
    QStringList projects;
    for (int key = 1; key <= kRecentProjectCount; ++key) {
        const std::string bytes = settings.Value(kGroup, std::to_string(key), {});
        if (!bytes.empty())
            projects << PathFromBytes(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }
    return projects;
}

QString StoreRecentProjects(const QStringList &projects)
{
    // Every key is written, so that a shorter list leaves no old entry behind.
    SettingsValues values;
    for (int key = 1; key <= kRecentProjectCount; ++key) {
        values.emplace_back(std::to_string(key), key <= projects.size()
                                                     ? QuotedValue(PathBytes(projects[key - 1]))
                                                     : std::string());
    }
    return StoreSettings(kGroup, values);
}

RecentProjectsMenu::RecentProjectsMenu(QMenu *menu, std::function<void(const QString &)> open)
    : QObject(menu)
    , m_menu(menu)
    , m_open(std::move(open))
    , m_projects(StoredRecentProjects())
{
    Fill();
}

void RecentProjectsMenu::Add(const QString &path)
{
    Keep(WithRecentProject(m_projects, AbsolutePath(path)));
}

void RecentProjectsMenu::Remove(const QString &path)
{
    QStringList projects = m_projects;
    projects.removeAll(path);
    Keep(projects);
}

void RecentProjectsMenu::Keep(const QStringList &projects)
{
    if (projects == m_projects)
        return;
    m_projects = projects;
    // A settings file that cannot be written keeps its old list; this session has the new one.
    StoreRecentProjects(m_projects);
    Fill();
    emit changed();
}

void RecentProjectsMenu::Fill()
{
    // Deleted later: the list may change while an entry's choice runs.
    for (QAction *old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->setObjectName({});
        old->deleteLater();
    }
    for (int i = 0; i < m_projects.size(); ++i) {
        const QString path = m_projects[i];
        QAction *entry = m_menu->addAction(EntryText(i + 1, path));
        entry->setObjectName(QStringLiteral("mnurecent%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] { m_open(path); });
    }
}

} // namespace zv
