#include "shell/projectfile.h"

#include "engine/checkandtranslate.h"
#include "engine/numbertext.h"
#include "export/atomicfile.h"
#include "shell/pendinggraph.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace zv {

namespace {

const char *const kMarker = "Zerovane";

// Room for the four fields of any project whose function an entry field can hold, with
// generous blanks and number texts; nothing beyond it is read.
constexpr qint64 kReadLimit = 256 * 1024;

QString TooLong()
{
    return QCoreApplication::translate("zv::ProjectFile",
                                       "The function has more than %1 characters.")
        .arg(kMaxFunctionLength);
}
const char *const kLineEnd = "\r\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsSeparator(char c)
{
    return c == ',' || c == '\r' || c == '\n';
}

// Steps over one comma or one line end (CR LF, CR or LF).
void SkipSeparator(std::string_view content, size_t &pos)
{
    if (pos >= content.size())
        return;
    if (content[pos] == '\r') {
        ++pos;
        if (pos < content.size() && content[pos] == '\n')
            ++pos;
        return;
    }
    ++pos;
}

} // namespace

bool SplitProjectFields(std::string_view content, ProjectFields &fields, size_t *end)
{
    size_t pos = 0;
    for (std::string &field : fields) {
        while (pos < content.size() && IsBlank(content[pos]))
            ++pos;
        if (pos >= content.size())
            return false;
        if (content[pos] == '"') {
            const size_t close = std::min(content.find('"', pos + 1), content.size());
            field.assign(content.substr(pos + 1, close - pos - 1));
            pos = std::min(close + 1, content.size());
            // Anything between the closing quote and the separator is not part of the field.
            while (pos < content.size() && !IsSeparator(content[pos]))
                ++pos;
        } else {
            const size_t start = pos;
            while (pos < content.size() && !IsSeparator(content[pos]))
                ++pos;
            field.assign(content.substr(start, pos - start));
        }
        SkipSeparator(content, pos);
    }
    if (end != nullptr)
        *end = pos;
    return true;
}

double ReadProjectNumber(std::string_view text)
{
    std::u16string number(text.begin(), text.end());
    std::replace(number.begin(), number.end(), u',', u'.');
    return ReadLeadingNumber(number);
}

std::string FormatProjectText(std::string_view function, double a, double b)
{
    std::string text;
    for (const std::string &field :
         {std::string(kMarker), std::string(function), FormatFileNumber(a), FormatFileNumber(b)}) {
        text += '"';
        text += field;
        text += '"';
        text += kLineEnd;
    }
    return text;
}

ProjectReadResult LoadProjectFile(const QString &path)
{
    ProjectReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = file.errorString();
        return result;
    }
    // One byte more than the limit tells whether the file goes on past it.
    const QByteArray content = file.read(kReadLimit + 1);
    if (file.error() != QFileDevice::NoError) {
        result.failure = file.errorString();
        return result;
    }
    file.close();

    const bool cut = content.size() > kReadLimit;
    const std::string_view text(content.constData(), size_t(std::min(content.size(), kReadLimit)));
    ProjectFields fields;
    size_t end = 0;
    const bool complete = SplitProjectFields(text, fields, &end);
    if (cut && (!complete || end >= text.size())) {
        result.failure = TooLong();
        return result;
    }
    if (!complete) {
        result.failure =
            QCoreApplication::translate("zv::ProjectFile", "The file has fewer than four fields.");
        return result;
    }
    if (fields[1].size() > size_t(kMaxFunctionLength)) {
        result.failure = TooLong();
        return result;
    }

    const QString function = QString::fromLatin1(fields[1].data(), qsizetype(fields[1].size()));
    const CheckResult check = CheckAndTranslate(function.toStdU16String(), true);
    result.function = QString::fromStdU16String(check.text);
    if (check.code != 0) {
        result.status = ProjectReadStatus::BadEquation;
        return result;
    }
    result.a = ReadProjectNumber(fields[2]);
    result.b = ReadProjectNumber(fields[3]);
    // A number beyond the double range is a failed read, not an infinite interval end.
    if (!std::isfinite(result.a) || !std::isfinite(result.b)) {
        result.failure = QCoreApplication::translate("zv::ProjectFile", "Overflow.");
        return result;
    }
    result.status = ProjectReadStatus::Ok;
    return result;
}

QString SaveProjectFile(const QString &path, const QString &function, double a, double b)
{
    const QByteArray function8 = function.toLatin1();
    const std::string text =
        FormatProjectText(std::string_view(function8.constData(), size_t(function8.size())), a, b);
    return QString::fromLocal8Bit(WriteFileAtomically(QFile::encodeName(path).toStdString(), text));
}

bool ReadProject(const QString &path, QWidget *parent, QString *failure)
{
    const ProjectReadResult result = LoadProjectFile(path);
    switch (result.status) {
    case ProjectReadStatus::FileError:
        if (failure != nullptr)
            *failure = result.failure;
        ShowMessage(parent, MessageTextQ(7), result.failure, MessageIcon::Exclamation);
        return false;
    case ProjectReadStatus::BadEquation:
        PendingGraph().function = result.function;
        if (failure != nullptr)
            *failure = MessageTextQ(6);
        ShowMessage(parent, MessageTextQ(6), QStringLiteral("Zerovane"), MessageIcon::None);
        return false;
    case ProjectReadStatus::Ok:
        break;
    }
    PendingGraph().function = result.function;
    PendingGraph().a = result.a;
    PendingGraph().b = result.b;
    return true;
}

} // namespace zv
