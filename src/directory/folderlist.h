#pragma once
#include <functional>
#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

// A tree other than the file system (a disc image) whose folder paths look alike ("/",
// "/MUSIK/ROCK"): the sub-folders of a folder, sorted, or nullopt when there is no such
// folder. May throw AppError when the tree is damaged.
using FolderSource = std::function<std::optional<QStringList>(const QString& folder)>;

// The folder list of the directory dialog: the path from the drive's top down to the
// current folder, then the folders inside it to walk into. Hidden folders (names beginning
// with ".") are left out, as the reader leaves them out.
class FolderList {
public:
    struct Item {
        QString name;
        QString path;
        int level = 0;
        bool onPath = false; // the top, the current folder and the folders between
    };

    // Moves to path of the file system (shown below top when top holds it). False, and
    // nothing changes, when path is not a folder that can be read.
    bool setDirectory(const QString& path, const QString& top);
    // Moves to path inside tree, shown below its top "/" named topName.
    bool setDirectory(const QString& path, const FolderSource& tree, const QString& topName);
    // The current folder without a trailing "/" (except the root).
    const QString& directory() const { return directory_; }
    const QList<Item>& items() const { return items_; }
    int currentRow() const { return currentRow_; }
    void clear();

private:
    void show(const QString& dir, const QStringList& children, QString top, const QString& topName);

    QString directory_;
    QList<Item> items_;
    int currentRow_ = -1;
};

// The folder as the start-directory label shows it: ending in "/".
QString WithTrailingSlash(const QString& folder);
