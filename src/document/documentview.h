#pragma once
#include <array>

// What the document commands need of the main window. The commands replace the document
// as a whole and then show side 0, which fills the side panel from the new document, so
// the panel's edits are never emptied separately (that would write into the new document).
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The side switch to side 0 (shows a freshly loaded document).
    virtual void MenuVorderAussenClick() = 0;
    // Caption from the document's file name.
    virtual void UpdateCaption() = 0;
    // Selects the entry of ComboCoverLayout (-1: none) without running its change handler.
    virtual void selectLayout(int index) = 0;
    // Enables the side menu items and shows the side buttons of the sides in use.
    virtual void showSidesInUse(const std::array<bool, 4>& inUse) = 0;
};
