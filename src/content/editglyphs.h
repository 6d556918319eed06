#pragma once
#include <QIcon>

// The glyphs of the text dialog's and the text editor's buttons, drawn here so they look the
// same on every desktop, whatever icon theme it has (or none).
enum class EditGlyph { Load, Save, ReadOnly, Unlock, Cut, Copy, Paste, Delete, SelectAll, Close };
QIcon editGlyph(EditGlyph glyph);
