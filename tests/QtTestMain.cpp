#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests that start processes or use Qt's event machinery need an application object.
int main(int argc, char* argv[]) {
    // The programs that tests start answer in English, whatever the desktop's language; a test
    // of another language sets it for its own process.
    qputenv("LANGUAGE", "en");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
