#include "platform/busycursor.h"
#include <QGuiApplication>

BusyCursor::BusyCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        active_ = true;
    }
}

BusyCursor::~BusyCursor() {
    if (active_)
        QGuiApplication::restoreOverrideCursor();
}
