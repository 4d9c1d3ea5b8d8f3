// Test entry point shared by every test binary.
//
// Listing tests (ctest's discovery) must not need a display, so the
// QApplication is only created for a real run. Each run gets its own
// settings and data folders so no test ever touches the user's plan or files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstring>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The user's own template or skin in their data folder must not change
    // what the tests see either.
    QTemporaryDir settingsHome, dataHome;
    if (!qEnvironmentVariableIsSet("QUILLORA_TEST_KEEP_XDG")) {
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    }

    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
