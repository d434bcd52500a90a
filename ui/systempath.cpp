#include "ui/systempath.h"

#include "engine/utf.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>

namespace zv {

namespace {

// The entry of folder whose name Qt shows as name, or name itself when there is none.
QString EntryShownAs(const QString &folder, const QString &name)
{
    DIR *dir = ::opendir(PathBytes(folder).constData());
    if (dir == nullptr)
        return name;
    QString found = name;
    while (const dirent *entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == name) {
            found = PathFromBytes(entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

QString PathFromBytes(QByteArrayView bytes)
{
    return QString::fromStdU16String(
        FromUtf8KeepingBytes(std::string_view(bytes.data(), size_t(bytes.size()))));
}

QByteArray PathBytes(const QString &path)
{
    return QByteArray::fromStdString(ToUtf8KeepingBytes(path.toStdU16String()));
}

bool PathExists(const QString &path)
{
    struct stat info
    {
    };
    return ::lstat(PathBytes(path).constData(), &info) == 0;
}

QString PathOnDisk(const QString &chosen)
{
    if (!chosen.startsWith(QLatin1Char('/')) || PathExists(chosen))
        return chosen;
    QString path;
    for (const QString &part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString folder = path.isEmpty() ? QStringLiteral("/") : path;
        const QString given = path + QLatin1Char('/') + part;
        path = PathExists(given) || !part.contains(QChar::ReplacementCharacter)
                   ? given
                   : path + QLatin1Char('/') + EntryShownAs(folder, part);
    }
    return path;
}

} // namespace zv
