#include "render/zoomstate.h"

void ZoomState::zoomIn() {
    Zoom += 0.5;
    zoomOutEnabled = true;
    standardEnabled = Zoom != 1.0;
    if (Zoom >= 2.0) zoomInEnabled = false;
}

void ZoomState::zoomOut() {
    Zoom -= 0.5;
    zoomInEnabled = true;
    standardEnabled = Zoom != 1.0;
    if (Zoom <= 1.0) {
        zoomOutEnabled = false;
        standardEnabled = false;
    }
}

void ZoomState::standard() {
    Zoom = 1.0;
    zoomInEnabled = true;
    zoomOutEnabled = false;
    standardEnabled = false;
}
