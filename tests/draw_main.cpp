#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // No display here: the platform must be chosen before the application
    // exists, and listing the tests constructs it too.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
