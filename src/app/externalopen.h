#pragma once
#include <QObject>
#include <QString>

class TSDIAppForm;

// Opens a file named from outside the window: on the command line or handed over by a second
// start. It runs as Open does after its dialog (save question first, same messages), and waits
// while the window is not ready or a dialog is open, so no document changes under a dialog.
class ExternalOpen : public QObject {
    Q_OBJECT
public:
    explicit ExternalOpen(TSDIAppForm& window, QObject* parent = nullptr);
    void open(const QString& path);

private:
    TSDIAppForm& window_;
};
