#pragma once
#include "render/canvasfont.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// Canvas state and text output on a painter whose unit is 0.1 mm. Text colours are given
// per call (a QPainter draws text with its pen), everything else follows ResetCanvas.

// White solid brush, black solid pen of width 1, plain copy, transparent text background.
void ResetCanvas(QPainter& canvas);

// The longest prefix of text whose width in font is at most maxWidth; no ellipsis.
// Widths only grow with the prefix, so a binary search finds the same prefix as removing
// one character at a time, with a handful of measurements.
QString ShortenToWidth(const QString& text, const CanvasFont& font, double maxWidth);

// Text alignment codes of the format records.
enum TextAlignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };

// Plain text output: the top-left corner of the character cell at (x, y). escapement 900
// runs the text upwards with the cell to the right of the point, 2700 downwards with the
// cell to its left.
void DrawTextAt(QPainter& canvas, int x, int y, int escapement, const QString& text,
                const CanvasFont& font, const QColor& colour);

// One line, top aligned, no line breaks, '&' drawn as it is, clipped to rect.
// alignment 0 left, 1 right, 2 centred; any other value draws nothing.
// Returns true when the clip cut the text (it is wider than rect).
bool DrawSingleLine(QPainter& canvas, const QRect& rect, const QString& text,
                    const CanvasFont& font, const QColor& colour, int alignment);

// Word-wrapped at the width of rect, CR LF breaks honoured, tabs every 8 average character
// widths, top aligned, clipped to rect. Alignment as DrawSingleLine.
// Returns true when lines run past the bottom or a word past the width of rect.
bool DrawWrappedText(QPainter& canvas, const QRect& rect, const QString& text,
                     const CanvasFont& font, const QColor& colour, int alignment);
