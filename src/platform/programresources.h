#pragma once
#include <QString>

// The pictures compiled into the program (logo, flags, icon) live in the resource file
// data/zarvex.qrc. The library is static, so its resources must be registered explicitly
// before the first use; this does it once.
void InitProgramResources();

// Resource path of one of the program's pictures ("logo.jpg", "flag_de.svg", "flag_en.svg",
// "zarvex.svg", "zarvex.png"), registering the resources first.
QString ProgramImagePath(const QString& name);
