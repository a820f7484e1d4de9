#include <QApplication>

#include <gtest/gtest.h>

// Widget tests drive real widgets; they need the one application object of the process.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
