#include "app/languageswitch.h"
#include "platform/stringtable.h"

#include <QActionGroup>
#include <QMenu>

namespace {
enum LanguageStringId {
    StrSprache = 300,
    StrDeutsch = 301,
    StrEnglish = 302,
    StrDeutschHint = 303,
    StrEnglishHint = 304,
    StrSpracheHint = 306,
};
} // namespace

LanguageSwitch::LanguageSwitch(QMenu* viewMenu, std::function<void(int)> apply)
    : QObject(viewMenu), apply_(std::move(apply)) {
    viewMenu->addSeparator();
    MenuSprache = viewMenu->addMenu(QString());
    MenuSprache->setObjectName(QStringLiteral("MenuSprache"));
    auto* group = new QActionGroup(MenuSprache);
    MenuDeutsch = MenuSprache->addAction(QString());
    MenuDeutsch->setObjectName(QStringLiteral("MenuDeutsch"));
    MenuEnglish = MenuSprache->addAction(QString());
    MenuEnglish->setObjectName(QStringLiteral("MenuEnglish"));
    for (QAction* item : {MenuDeutsch, MenuEnglish}) {
        item->setCheckable(true);
        group->addAction(item);
    }
    connect(MenuDeutsch, &QAction::triggered, this, [this] { apply_(49); });
    connect(MenuEnglish, &QAction::triggered, this, [this] { apply_(44); });
}

void LanguageSwitch::update(int sprache) {
    MenuSprache->setTitle(LadeText(StrSprache));
    MenuSprache->menuAction()->setStatusTip(LadeText(StrSpracheHint));
    MenuDeutsch->setText(LadeText(StrDeutsch));
    MenuDeutsch->setStatusTip(LadeText(StrDeutschHint));
    MenuEnglish->setText(LadeText(StrEnglish));
    MenuEnglish->setStatusTip(LadeText(StrEnglishHint));
    (sprache == 49 ? MenuDeutsch : MenuEnglish)->setChecked(true);
}
