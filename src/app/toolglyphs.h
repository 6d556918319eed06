#pragma once
#include <QIcon>

// The glyphs of the main window's tool buttons, drawn here so they look the same on every
// desktop, whatever icon theme it has (or none).
enum class ToolGlyph { New, Open, Save, Print, Directory, Text, Picture, ZoomIn, ZoomOut, Add };
QIcon toolGlyph(ToolGlyph glyph);
