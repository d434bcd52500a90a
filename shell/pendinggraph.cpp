#include "shell/pendinggraph.h"

namespace zv {

GraphEquation &PendingGraph()
{
    static GraphEquation pending;
    return pending;
}

int16_t &GraphWindowCount()
{
    static int16_t count = 0;
    return count;
}

} // namespace zv
