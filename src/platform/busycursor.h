#pragma once

// Shows the busy cursor for its lifetime and restores the arrow on every path.
// Harmless without a GUI application (command-line tool, plain tests).
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool active_ = false;
};
