#include "platform/stringtable_data.h"

#include <iterator>

// Texts of the cover files and document commands (ids 520-549, 700 and 787; English + 1000).
const StringTableItem kStringsDocument[] = {
    {520, u"Die Datei \"%1\" kann nicht gelesen werden.\nZeile %2: %3\nDas geöffnete Dokument "
          u"bleibt unverändert."},
    {521, u"Zahl erwartet statt \"%1\""},
    {522, u"die Datei endet vorzeitig"},
    {523, u"die Anzahl %1 ist größer als der Rest der Datei (%2 Zeilen)"},
    {524, u"die Anzahl %1 ist negativ"},
    {525, u"unbekannte Inhaltsart %1 (erlaubt sind 0 bis 3)"},
    {526, u"Die Datei \"%1\" ist zu groß (%2 MB); eine Cover-Datei hat höchstens %3 MB."},
    {527, u"\"%1\" ist keine Datei."},
    {528, u"Die Datei \"%1\" ist leer."},
    {529, u"Die Datei \"%1\" kann nicht gespeichert werden: %2.\nDie bisherige Datei ist "
          u"unverändert."},
    {530, u"die temporäre Datei lässt sich nicht vollständig schreiben (%1)"},
    {531, u"die Sicherungskopie \"%1\" lässt sich nicht anlegen (%2)"},
    {532, u"die neue Datei lässt sich nicht an ihren Platz bringen (%1)"},
    {533, u"Die Datei wurde geöffnet, aber Folgendes konnte nicht geladen werden:"},
    {534, u"der Ordner existiert nicht"},
    {535, u"an dieser Stelle liegt ein Ordner"},
    {536, u"Die Datei \"%1\" hat mehr als %2 Zeilen; so groß ist keine Cover-Datei."},
    {700, u"sie hätte mehr als %1 Zeilen oder %2 MB, und eine so große Cover-Datei lässt sich "
          u"nicht wieder öffnen"},
    {770, u"Die Bilddatei \"%1\" ist nicht vorhanden."},
    {1770, u"The picture file \"%1\" does not exist."},
    {787, u"Die Datei \"%1\" kann nicht gespeichert werden: %2."},
    {1787, u"The file \"%1\" cannot be saved: %2."},
    {1700, u"it would have more than %1 lines or %2 MB, and a cover file that large cannot be "
           u"opened again"},
    {1520, u"The file \"%1\" cannot be read.\nLine %2: %3\nThe open document is left as it "
           u"was."},
    {1521, u"a number was expected, not \"%1\""},
    {1522, u"the file ends too early"},
    {1523, u"the count %1 is larger than the rest of the file (%2 lines)"},
    {1524, u"the count %1 is negative"},
    {1525, u"unknown content kind %1 (0 to 3 are allowed)"},
    {1526, u"The file \"%1\" is too large (%2 MB); a cover file has at most %3 MB."},
    {1527, u"\"%1\" is not a file."},
    {1528, u"The file \"%1\" is empty."},
    {1529, u"The file \"%1\" cannot be saved: %2.\nThe previous file is unchanged."},
    {1530, u"the temporary file cannot be written completely (%1)"},
    {1531, u"the backup \"%1\" cannot be made (%2)"},
    {1532, u"the new file cannot be put in its place (%1)"},
    {1533, u"The file was opened, but the following could not be loaded:"},
    {1534, u"the folder does not exist"},
    {1535, u"there is a folder of that name"},
    {1536, u"The file \"%1\" has more than %2 lines; no cover file is that large."},
};
const std::size_t kStringsDocumentSize = std::size(kStringsDocument);
