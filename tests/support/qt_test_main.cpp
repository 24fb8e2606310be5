// Test main for the desktop layers: one QApplication for the whole run, and
// test hooks left with unused answers or scripts fail the test they end in.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/test_hooks.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Qt's file dialog keeps its state in the user's configuration; a test run
    // must leave the user's files alone.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    kvis::TestHooks::setUnusedReporter([](const std::string& what) { ADD_FAILURE() << what; });
    return RUN_ALL_TESTS();
}
