// The link's windows need one QApplication for the whole run, made before the first
// test and gone before the program's own statics: two, or one left to the exit, take
// the process down when every test runs in it.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
