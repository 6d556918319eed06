#include "app/coverdrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

CoverDrop::CoverDrop(QWidget* window, std::function<void(const QString&)> open)
    : QObject(window), open_(std::move(open)) {
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QString CoverDrop::coverFileOf(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("zvx"), Qt::CaseInsensitive) != 0 || info.isDir())
        return {};
    return path;
}

bool CoverDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (coverFileOf(drag->mimeData()).isEmpty()) break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = coverFileOf(drop->mimeData());
        if (path.isEmpty()) break;
        drop->acceptProposedAction();
        // Opened once the drop has ended: the save question must not run inside it.
        QTimer::singleShot(0, this, [this, path] { open_(path); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
