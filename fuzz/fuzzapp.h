#pragma once
#include <cstdlib>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

// fontconfig keeps its caches until exit; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

// The loaders draw text and images, so the targets need a GUI application (offscreen).
inline void ensureFuzzApp() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QGuiApplication(argc, argv);
    }
}
