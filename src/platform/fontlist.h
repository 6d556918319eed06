#pragma once
#include <QStringList>

// The font choosers' list: scalable families, sorted ignoring case, each name once;
// "Times New Roman" alone when there is none.
QStringList BuildSchriftListe(const QStringList& families);
// The scalable families installed on this system (needs a QGuiApplication).
QStringList SchriftListe();
