// Widget tests run headless with their own settings location, never the user's.
#include "engine/evaluator.h"
#include "shell/messagetexts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit().constData(),
           1);

    QApplication app(argc, argv);
    zv::FillMessageTexts();
    zv::InitEvaluator();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
