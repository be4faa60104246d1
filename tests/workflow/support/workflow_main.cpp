// The workflow tests drive the program from outside: they need Qt's core only (processes, the
// service's HTTP answers), no window of their own.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
