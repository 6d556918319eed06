#pragma once
#include "platform/backgroundwork.h"

class QWidget;

// What a progress window did, for the benchmark.
struct ProgressWindowStats {
    int updates = 0;           // times the text was refreshed
    qint64 elapsedMs = 0;      // from start to the end of the work
    qint64 cancelToEndMs = -1; // from the Cancel click to the end of the work; -1 if none
};

// Runs work on a worker thread while a modal progress window over parent shows its text
// (refreshed every 50 ms) with a Cancel button. The event loop keeps running, so the
// windows stay painted; input to them is blocked by the modal window. Returns once the
// work has ended; false when the user cancelled.
bool RunWithProgressWindow(QWidget* parent, const QString& title, BackgroundWork& work,
                           ProgressWindowStats* stats = nullptr);
