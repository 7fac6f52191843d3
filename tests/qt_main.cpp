#include <QApplication>
#include <gtest/gtest.h>

// Qt tests run without a display; the platform must be chosen before the
// application exists, and also when CTest only lists the tests.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
