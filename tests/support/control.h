#pragma once

#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace zv::test {

// A window's control by its object name; a missing one fails the test that asks.
template<typename T = QLineEdit>
T *Control(const QWidget &window, const char *name)
{
    T *control = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

} // namespace zv::test
