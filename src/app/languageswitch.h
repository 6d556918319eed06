#pragma once
#include <functional>
#include <QObject>

class QAction;
class QMenu;

// View > Language with "Deutsch" and "English", the current language checked. Choosing
// the other one calls apply with its code (49 German, 44 English).
class LanguageSwitch : public QObject {
    Q_OBJECT
public:
    LanguageSwitch(QMenu* viewMenu, std::function<void(int sprache)> apply);

    QMenu* MenuSprache = nullptr;
    QAction* MenuDeutsch = nullptr;
    QAction* MenuEnglish = nullptr;

    // Texts in the current language; the item of sprache checked.
    void update(int sprache);

private:
    std::function<void(int)> apply_;
};
