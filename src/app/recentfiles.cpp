#include "app/recentfiles.h"
#include "platform/paths.h"
#include "platform/usersettings.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace {
const QString kKey = QStringLiteral("recent/files");

// One spelling per file ("a//b/../c.zvx" is "a/c.zvx"), so a file is listed once.
QString normalised(const QString& path) {
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}
} // namespace

RecentFiles::RecentFiles(QString settingsFile, QObject* parent)
    : QObject(parent), file_(std::move(settingsFile)) {
    if (file_.isEmpty()) file_ = UserSettingsFile();
    const QSettings s(file_, QSettings::IniFormat);
    for (const QString& path : s.value(kKey).toStringList())
        if (!path.isEmpty() && files_.size() < Max && !files_.contains(normalised(path)))
            files_.append(normalised(path));
}

void RecentFiles::add(const QString& path) {
    const QString p = normalised(path);
    files_.removeAll(p);
    files_.prepend(p);
    while (files_.size() > Max)
        files_.removeLast();
    store();
    updateMenu();
}

void RecentFiles::remove(const QString& path) {
    if (files_.removeAll(normalised(path)) == 0) return;
    store();
    updateMenu();
}

void RecentFiles::store() const {
    QSettings s(file_, QSettings::IniFormat);
    s.setValue(kKey, files_);
}

void RecentFiles::attachMenu(QMenu* menu, QAction* before,
                             std::function<void(const QString&)> open) {
    open_ = std::move(open);
    for (int i = 0; i < Max; ++i) {
        auto* item = new QAction(menu);
        item->setObjectName(QStringLiteral("MenuZuletzt%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, i] {
            if (i >= files_.size() || !open_) return;
            const QString path = files_[i]; // the opener may change the list
            open_(path);
        });
        items_.append(item);
    }
    menu->insertActions(before, items_);
    separator_ = menu->insertSeparator(before);
    updateMenu();
}

void RecentFiles::updateMenu() {
    for (int i = 0; i < items_.size(); ++i) {
        QAction* item = items_[i];
        item->setVisible(i < files_.size());
        if (i >= files_.size()) continue;
        QString name = fileNamePart(files_[i]);
        name.replace(QLatin1Char('&'), QLatin1String("&&")); // not a mnemonic
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        item->setStatusTip(files_[i]);
    }
    if (separator_) separator_->setVisible(!files_.isEmpty());
}
