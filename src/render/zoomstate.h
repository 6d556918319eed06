#pragma once

// The preview magnification and which zoom commands are enabled: 1.0 (zoom out and
// standard disabled), 1.5 (all enabled), 2.0 (zoom in disabled).
class ZoomState {
public:
    double Zoom = 1.0;
    bool zoomInEnabled = true;
    bool zoomOutEnabled = false;
    bool standardEnabled = false;

    void zoomIn();
    void zoomOut();
    void standard();
};
