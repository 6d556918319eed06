#pragma once
#include <QListWidget>

// The directory dialog's folder list. Rows hold the bare folder names, indented by their
// level (FolderListBox::LevelRole) as they are drawn, so typing the first letters of a name
// selects it. Return enters the current folder and stays in the list instead of reaching
// the dialog's default button; Backspace asks for the folder above.
class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int LevelRole = Qt::UserRole + 1;
    explicit FolderListBox(QWidget* parent = nullptr);

Q_SIGNALS:
    void upRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
