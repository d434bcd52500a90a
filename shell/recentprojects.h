#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QMenu;

namespace zv {

inline constexpr int kRecentProjectCount = 8;

// projects with path put first: an entry of the same bytes leaves its old place, and only the
// kRecentProjectCount most recent stay.
QStringList WithRecentProject(QStringList projects, const QString &path);

// The list as the settings file keeps it, in a section of its own ([RecentProjects], keys 1 to
// 8, most recent first, each the bytes of a path, quoted); empty keys and a file that cannot be
// read give no entry.
QStringList StoredRecentProjects();
// Writes the list there through the settings' one writer; returns the failure, or empty.
QString StoreRecentProjects(const QStringList &projects);

// The Main menu's "Recent projects": the stored list, numbered, most recent first. Choosing an
// entry hands its path to `open`. Every change is stored at once; a change that cannot be
// stored still holds for this session.
class RecentProjectsMenu : public QObject
{
    Q_OBJECT

public:
    RecentProjectsMenu(QMenu *menu, std::function<void(const QString &)> open);

    // A project opened or saved: first in the list (a relative path from the current folder).
    void Add(const QString &path);
    // A project that is no longer there leaves the list.
    void Remove(const QString &path);
    const QStringList &projects() const { return m_projects; }

signals:
    void changed();

private:
    void Keep(const QStringList &projects);
    void Fill();

    QMenu *m_menu;
    std::function<void(const QString &)> m_open;
    QStringList m_projects;
};

} // namespace zv
