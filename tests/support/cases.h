#pragma once

// Named table cases: a table is an array of rows, each with a `name`; every row is checked under
// its name, so a failure says which row it was, and a failed ASSERT ends that row only.
#include <gtest/gtest.h>

namespace zv::test {

template<typename Rows, typename Check>
void ForEachCase(const Rows &rows, Check check)
{
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        check(row);
    }
}

} // namespace zv::test
