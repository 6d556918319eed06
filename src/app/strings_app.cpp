#include "platform/stringtable_data.h"

#include <iterator>

// Texts of this area (see platform/stringtable_data.h for the id ranges; English + 1000).
const StringTableItem kStringsApp[] = {
    {0, u""}, // placeholder so the block is never empty
    // View > Language and the recent files of the File menu (300-319).
    {300, u"&Sprache"},
    {301, u"&Deutsch"},
    {302, u"&English"},
    {303, u"Die Oberfläche auf Deutsch anzeigen"},
    {304, u"Die Oberfläche auf Englisch anzeigen"},
    {305, u"Die Datei \"%1\" gibt es nicht mehr. Sie wird aus der Liste der zuletzt benutzten "
          u"Dateien entfernt."},
    {306, u"Die Sprache der Oberfläche wählen"},
    {1300, u"&Language"},
    {1301, u"&Deutsch"},
    {1302, u"&English"},
    {1303, u"to show the interface in German"},
    {1304, u"to show the interface in English"},
    {1305, u"The file \"%1\" no longer exists. It is removed from the list of recent files."},
    {1306, u"to choose the language of the interface"},
    // Command-line tool (690-699).
    {690, u"Unbekannter Befehl \"%1\"."},
    {691, u"Die Datei \"%1\" hat keine der Endungen %2."},
    {692, u"Ungültiger Wert \"%2\" für %1."},
    {693, u"\"%1\": Die Seite %2 gibt es beim Hüllentyp %3 nicht."},
    {694, u"\"%1\": Es gibt keinen Bogen %2 (der Umschlag hat %3)."},
    {695, u"\"%1\": Nichts zu drucken, keine Seite ausgewählt."},
    {696, u"\"%1\": Unbekannter Hüllentyp %2, es gilt Hüllentyp 0."},
    {697, u"%1 Ordner gelesen"},
    {698, u"Der Ordner \"%1\" kann nicht gelesen werden."},
    {699, u"Aufruf falsch: %1 (Hilfe: zarvex-cli %2 --help)"},
    {1690, u"Unknown command \"%1\"."},
    {1691, u"The file \"%1\" has none of the extensions %2."},
    {1692, u"Invalid value \"%2\" for %1."},
    {1693, u"\"%1\": side %2 does not exist in case layout %3."},
    {1694, u"\"%1\": there is no sheet %2 (the cover has %3)."},
    {1695, u"\"%1\": nothing to print, no side is selected."},
    {1696, u"\"%1\": unknown case layout %2, layout 0 is used."},
    {1697, u"%1 folders read"},
    {1698, u"The folder \"%1\" cannot be read."},
    {1699, u"Usage error: %1 (help: zarvex-cli %2 --help)"},
    // About box (790-799).
    {790, u"Freie Software unter der GNU General Public License, Version 3 oder später"},
    {1790, u"Free software under the GNU General Public License, version 3 or later"},
};
const std::size_t kStringsAppSize = std::size(kStringsApp);
