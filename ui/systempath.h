#pragma once

// Paths between Qt's strings and the file system, byte for byte. A Linux file name is bytes;
// Qt's own conversions turn bytes that are not UTF-8 into U+FFFD, after which the file cannot be
// opened. Here a byte of an invalid sequence travels as a lone surrogate and turns back into
// itself on the way out (FromUtf8KeepingBytes), so every path the program is given reaches the
// file system as it was given.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zv {

// The path of bytes the system handed over (argv, a drop, a folder listing).
QString PathFromBytes(QByteArrayView bytes);
// The bytes to hand the system for a path made by PathFromBytes (or typed: plain UTF-8).
QByteArray PathBytes(const QString &path);

// Whether an entry of that name is there (a link counts, whatever it points to).
bool PathExists(const QString &path);

// The entry a file dialog chose. Qt's dialog lists names through its lossy decoding, so a name
// that is not UTF-8 comes back with U+FFFD where its odd bytes were: each part of an absolute
// path that is not there as given is looked up in its folder by that lossy form. A part not
// found (a new file to save) stays as given.
QString PathOnDisk(const QString &chosen);

} // namespace zv
