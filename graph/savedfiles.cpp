#include "graph/savedfiles.h"

#include "engine/errortext.h"
#include "export/atomicfile.h"
#include "graph/graphdocument.h"
#include "graph/pictureformats.h"
#include "ui/decimalseparator.h"
#include "ui/systempath.h"

#include <QDir>

#include <array>

namespace zv {

namespace {

std::string SystemPath(const QString &path)
{
    return PathBytes(path).toStdString();
}

QString Failure(const QString &path, const std::string &reason)
{
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
}

std::string_view View(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

PictureFormat FormatOf(const QString &path)
{
    return PictureFormatOf(path).value_or(PictureFormat::Jpeg);
}

// A JPEG picture saved over an older one keeps that one's times, as the JPEG writer always did.
bool KeepsTimes(const QString &path)
{
    return FormatOf(path) == PictureFormat::Jpeg;
}

} // namespace

QString WriteBytes(std::string_view bytes, const QString &path)
{
    const std::string failure = WriteFileAtomically(SystemPath(path), bytes);
    return failure.empty() ? QString() : Failure(path, failure);
}

QString SavePicture(const PlotScene &scene, QSize size, const QString &path)
{
    std::string failure;
    const QByteArray bytes = EncodePicture(scene, size, FormatOf(path), failure);
    if (bytes.isEmpty())
        return Failure(path, failure);
    failure = WriteFileAtomically(SystemPath(path), View(bytes), KeepsTimes(path));
    return failure.empty() ? QString() : Failure(path, failure);
}

QString SavePictureAndResults(const PlotScene &scene, QSize size, const GraphDocument &document,
                              const QString &picture, const QString &results, const QString &named)
{
    std::string failure;
    const QByteArray bytes = EncodePicture(scene, size, FormatOf(picture), failure);
    if (bytes.isEmpty())
        return QStringLiteral("picture not written: ") + Failure(picture, failure);
    const std::string text = ResultsFileText(document, DecimalSeparator());
    const std::array<FileWrite, 2> files{
        FileWrite{SystemPath(picture), View(bytes), KeepsTimes(picture)},
        FileWrite{SystemPath(results), text, false}};
    switch (WriteFilesAtomically(files, failure)) {
    case 0:
        return QStringLiteral("picture not written: ") + Failure(picture, failure);
    case 1:
        return QStringLiteral("picture written, results not written: ") + Failure(results, failure);
    default:
        break;
    }
    // Both files are written, and the results say so: the save still fails, since nothing of
    // the interval could be evaluated.
    if (const int16_t code = document.Roots().failure; code != 0)
        return QStringLiteral("no value of f on the interval: ") + QDir::toNativeSeparators(named) +
               QStringLiteral(": ") + QString::fromStdString(ErrorText(code));
    return {};
}

} // namespace zv
