#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests that start processes or use Qt's event machinery need an application object.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
