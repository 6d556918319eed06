#pragma once
#include <functional>
#include <QString>
#include <QStringList>

class IniFile;

// The start-up steps that need no window, kept here so they can be tested on their own.

// The settings file's name for the executable's file name: its extension becomes ".INI".
QString IniNameFor(const QString& exeName);

// First-start language choice: when sprache is 0, asks (49 German, 44 English) and stores the
// answer under "sprache" only when the settings file exists and is writable; a missing or
// read-only file is left alone, so the choice then holds for this run only. A file that
// cannot be written although it looked writable is left alone as well.
int ChooseLanguage(int sprache, const IniFile& ini, const std::function<int()>& ask);
// Stores sprache (49 or 44) under "sprache", on the same terms as the first-start choice.
void StoreLanguage(const IniFile& ini, int sprache);
