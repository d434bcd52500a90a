#pragma once

// Checks every row of a table under its name, so that a failure says which row it was and a
// failed ASSERT ends that row only. A row is a struct with a `name`, handed to check whole, or a
// tuple that begins with the name, handed to check element by element.
#include <gtest/gtest.h>

#include <tuple>

namespace zv::test {

template<typename Rows, typename Check>
void ForEachCase(const Rows &rows, Check check)
{
    for (const auto &row : rows) {
        if constexpr (requires { row.name; }) {
            SCOPED_TRACE(row.name);
            check(row);
        } else {
            SCOPED_TRACE(std::get<0>(row));
            std::apply(check, row);
        }
    }
}

} // namespace zv::test
