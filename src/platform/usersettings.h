#pragma once
#include <QString>

// The per-user settings file of our own settings (window sizes, remembered folders), kept
// apart from the program's INI: "zarvex/zarvex.conf" in the user's configuration folder.
QString UserSettingsFile();
