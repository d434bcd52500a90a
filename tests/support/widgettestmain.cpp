// Widget tests run headless with their own settings location, never the user's.
#include "engine/evaluator.h"
#include "texts/messagetexts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());

    QApplication app(argc, argv);
    zv::FillMessageTexts();
    zv::InitEvaluator();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
