#pragma once

#include <QByteArray>
#include <QString>

namespace zv {

// Reads at most `limit` bytes from the start of the regular file at path into content. Opening
// does not wait: a named pipe without a writer would otherwise hold the whole program. Pipes,
// devices, sockets and folders are refused. Returns the failure, or an empty string; a limit
// of 0 only checks that the file can be opened.
QString ReadRegularFile(const QString &path, qint64 limit, QByteArray &content);

} // namespace zv
