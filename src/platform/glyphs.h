#pragma once
#include <QIcon>

// The glyphs of the program's tool buttons, drawn here so they look the same on every
// desktop, whatever icon theme it has (or none).
enum class ToolGlyph {
    New,
    Open,
    Save,
    Print,
    Directory,
    Text,
    Picture,
    ZoomIn,
    ZoomOut,
    Add,
    PrintPreview
};
QIcon toolGlyph(ToolGlyph glyph);

// The buttons of the content dialogs and editors.
enum class EditGlyph { Load, Save, ReadOnly, Unlock, Cut, Copy, Paste, Delete, SelectAll, Close };
QIcon editGlyph(EditGlyph glyph);
