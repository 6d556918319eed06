#include "app/externalopen.h"
#include "app/sdimain.h"

#include <QApplication>
#include <QTimer>

ExternalOpen::ExternalOpen(TSDIAppForm& window, QObject* parent)
    : QObject(parent), window_(window) {}

void ExternalOpen::open(const QString& path) {
    if (!window_.Bereit || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(300, this, [this, path] { open(path); });
        return;
    }
    if (window_.isMinimized()) window_.showNormal();
    window_.raise();
    window_.activateWindow();
    if (!window_.commands().AskSave()) return;
    window_.commands().openFile(path);
}
