#pragma once
#include <QColor>
#include <QtGlobal>

// Colours are stored as 0x00BBGGRR integers (red in the low byte); convert only at the painter.
inline QColor colorFromRef(qint32 ref) {
    const quint32 v = static_cast<quint32>(ref);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}
inline qint32 colorRef(const QColor& c) {
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}
