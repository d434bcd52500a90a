#pragma once

#include "ui/systempath.h"

#include <QStringList>

namespace zv {

// The program's arguments with their bytes (QCoreApplication::arguments() loses those that are
// not UTF-8).
inline QStringList ProgramArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathFromBytes(argv[i]);
    return arguments;
}

} // namespace zv
