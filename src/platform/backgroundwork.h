#pragma once
#include <QString>

// A long piece of work (reading a folder tree) that runs off the user-interface thread
// while a progress window shows how far it got and offers to stop it.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    // Runs on a worker thread; returns soon after cancel().
    virtual void run() = 0;
    // Called from the user-interface thread while run() may be running.
    virtual void cancel() = 0;
    // The progress window's text; called from the user-interface thread while run() runs.
    virtual QString progressText() const = 0;
};
