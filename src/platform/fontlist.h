#pragma once
#include <functional>
#include <QStringList>

// The font choosers' list: scalable families by their plain names (no foundry tag), sorted
// ignoring case, each name once, without fontconfig's generic aliases; "Times New Roman"
// alone when there is none. drawnWith, when given, tells which family a name is drawn
// with: the Windows names stored in covers ("Times New Roman", "Arial", "Courier New") are
// listed too when they are drawn with an installed family of the same metrics.
QStringList BuildSchriftListe(const QStringList& families,
                              const std::function<QString(const QString&)>& drawnWith = {});
// The scalable families installed on this system (needs a QGuiApplication).
QStringList SchriftListe();
