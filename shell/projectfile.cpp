#include "shell/projectfile.h"

#include "export/atomicfile.h"
#include "shell/pendinggraph.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/systempath.h"

namespace zv {

QString SaveProjectFile(const QString &path, const QString &function, double a, double b)
{
    const QByteArray function8 = function.toLatin1();
    const std::string text =
        FormatProjectText(std::string_view(function8.constData(), size_t(function8.size())), a, b);
    return QString::fromLocal8Bit(WriteFileAtomically(PathBytes(path).toStdString(), text));
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
            *failure = result.failure;
        ShowMessage(parent, result.failure, QStringLiteral("Zerovane"), MessageIcon::None);
        return false;
    case ProjectReadStatus::BadInterval:
        if (failure != nullptr)
            *failure = result.failure;
        ShowMessage(parent, result.failure, QStringLiteral("Zerovane"), MessageIcon::Exclamation);
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
