// Reading a project file without showing anything: what a batch export takes, apart from the
// message boxes of ReadProject.
#include "shell/projectfile.h"

#include "engine/numbertext.h"
#include "shell/regularfile.h"
#include "ui/messagetextq.h"
#include "ui/systempath.h"

#include <QCoreApplication>

#include <algorithm>

namespace zv {

namespace {

constexpr int kTextBadEquation = 6; // "Equation has an invalid syntax."
constexpr int kTextNoInterval = 38; // "The two values don't build an interval."
constexpr int kTextTooWide = 39;    // "The interval is too big."

QString ReaderText(const char *text)
{
    return QCoreApplication::translate("zv::ProjectFile", text);
}

// An end of the interval as the file writes it, without the blank before a positive one.
QString EndText(double value)
{
    return QString::fromStdString(FormatFileNumber(value)).trimmed();
}

} // namespace

ProjectReadResult LoadProjectFile(const QString &path)
{
    ProjectReadResult result;
    // One byte more than the limit tells whether the file goes on past it.
    QByteArray content;
    result.failure = ReadRegularFile(path, qint64(kProjectReadLimit) + 1, content);
    if (!result.failure.isEmpty())
        return result;

    const bool cut = size_t(content.size()) > kProjectReadLimit;
    const ProjectText text = ParseProjectText(
        std::string_view(content.constData(), std::min(size_t(content.size()), kProjectReadLimit)),
        cut);
    result.function = QString::fromStdU16String(text.function);
    result.a = text.a;
    result.b = text.b;
    switch (text.status) {
    case ProjectTextStatus::Ok:
        result.status = ProjectReadStatus::Ok;
        break;
    case ProjectTextStatus::BadEquation:
        result.status = ProjectReadStatus::BadEquation;
        result.failure = MessageTextQ(kTextBadEquation);
        break;
    case ProjectTextStatus::TooFewFields:
        result.failure = ReaderText("The file has fewer than four fields.");
        break;
    case ProjectTextStatus::TooLong:
        result.failure =
            ReaderText("The function has more than %1 characters.").arg(kMaxFunctionLength);
        break;
    case ProjectTextStatus::Overflow:
        result.failure = ReaderText("Overflow.");
        break;
    case ProjectTextStatus::NoInterval:
    case ProjectTextStatus::TooWide: {
        const bool reversed = text.status == ProjectTextStatus::NoInterval;
        result.status = ProjectReadStatus::BadInterval;
        result.failure = MessageTextQ(reversed ? kTextNoInterval : kTextTooWide) +
                         QStringLiteral(" [") + EndText(text.a) + QStringLiteral(" ; ") +
                         EndText(text.b) + QLatin1Char(']');
        break;
    }
    }
    return result;
}

QString TypedProjectPath(const QString &typed)
{
    return PathExists(typed) ? typed : QString(typed).remove(QLatin1Char('"'));
}

} // namespace zv
