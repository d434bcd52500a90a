#pragma once

#include "texts/messagetexts.h"

#include <QString>

namespace zv {

// The interface text at index 1..46 for a widget.
inline QString MessageTextQ(int index)
{
    return QString::fromStdString(MessageText(index));
}

} // namespace zv
