#pragma once
#include <QApplication>
#include <QTest>

// Starts the test again under xvfb-run with the X11 platform, once; returns only in that run.
// For tests that need what the offscreen platform leaves out (real key focus, openUrl).
void RerunUnderXvfb(int argc, char** argv);

#define ZARVEX_XVFB_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char** argv) {                                                              \
        RerunUnderXvfb(argc, argv);                                                                \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
