#pragma once
#include <functional>
#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

// The covers opened or saved last, newest first, at most Max, kept in the user's own
// settings (never the program's INI). Shown in the File menu as "&1 NAME.zvx" .. with the
// full path as status text; choosing one calls the opener, which decides what happens.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int Max = 8;

    // Default: the user's settings file of the program ("zarvex/zarvex.conf").
    explicit RecentFiles(QString settingsFile = QString(), QObject* parent = nullptr);

    QStringList files() const { return files_; }
    // path goes to the top; the same file further down is dropped, the ninth falls off.
    void add(const QString& path);
    void remove(const QString& path);

    // Puts the items and a separator into menu before `before`; they follow the list.
    void attachMenu(QMenu* menu, QAction* before, std::function<void(const QString&)> open);
    QList<QAction*> menuItems() const { return items_; }

private:
    void store() const;
    void updateMenu();

    QString file_;
    QStringList files_;
    QList<QAction*> items_;
    QAction* separator_ = nullptr;
    std::function<void(const QString&)> open_;
};
