// Runs the suites with a toolkit application on Qt's offscreen platform, so
// window tests need no display.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/services/Application.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    lumvex::Application.Initialize(argc, argv);
    return RUN_ALL_TESTS();
}
