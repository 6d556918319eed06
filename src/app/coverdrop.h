#pragma once
#include <functional>
#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

// A cover file (".zvx" in any letter case) dropped onto the main window is handed to open.
// Every other drop (folders, other files, several files) is left to the window itself.
class CoverDrop : public QObject {
    Q_OBJECT
public:
    CoverDrop(QWidget* window, std::function<void(const QString& path)> open);

    // The one local cover file the data carries, or an empty string.
    static QString coverFileOf(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> open_;
};
