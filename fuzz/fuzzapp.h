#pragma once
#include <cstdio>
#include <cstdlib>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

// fontconfig keeps its caches until exit; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

// Qt's image readers warn about every damaged header; printing millions of them would be
// most of a run's work. Fatal messages still end the run.
inline void dropQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::abort();
}

// The loaders draw text and images, so the targets need a GUI application (offscreen).
inline void ensureFuzzApp() {
    qInstallMessageHandler(dropQtWarnings);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QGuiApplication(argc, argv);
    }
}
