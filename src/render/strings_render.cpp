#include "platform/stringtable_data.h"

#include <iterator>

// Texts of printing (610-639) and of content cut by the drawing (970-975); English + 1000.
const StringTableItem kStringsRender[] = {
    {610, u"Es ist kein Drucker eingerichtet."},
    {611, u"Der Druckauftrag für \"%1\" ist gescheitert: %2"},
    {612, u"Achtung: Ein Bogen (%1 × %2 mm) passt nicht in den bedruckbaren Bereich "
          u"(%3 × %4 mm) und wird abgeschnitten."},
    {613, u"Drucker &kalibrieren..."},
    {614, u"Druckt einen Messbogen und gleicht Versatz und Maßstab des Druckers aus"},
    {615, u"Als &PDF exportieren..."},
    {616, u"Speichert die Bögen in Originalgröße als PDF-Datei"},
    {617, u"Als PDF exportieren..."},
    {618, u"PDF-Datei (PDF)|*.PDF"},
    {620, u"Drucker kalibrieren"},
    {621, u"Drucker: %1"},
    {622, u"Korrektur: Versatz X %1 mm, Y %2 mm; Maßstab X %3 %, Y %4 %"},
    {623, u"Messbogen &drucken"},
    {624, u"Drucken Sie den Messbogen, messen Sie ihn mit einem Lineal nach und tragen Sie "
          u"die Werte ein. Der Messbogen wird ohne Korrektur gedruckt."},
    {625, u"Kreuz vom linken Papierrand (mm):"},
    {626, u"Kreuz vom oberen Papierrand (mm):"},
    {627, u"Länge des 100-mm-Lineals (mm):"},
    {628, u"Länge des 200-mm-Lineals (mm):"},
    {629, u"&Zurücksetzen"},
    {630, u"Messbogen für %1"},
    {631, u"Die Messwerte passen nicht: Jedes Lineal muss zwischen 90 % und 110 % seiner "
          u"Länge messen, das Kreuz höchstens 50 mm vom Rand liegen."},
    {632, u"Kalibrierung für \"%1\" gespeichert."},
    {1610, u"No printer is set up."},
    {1611, u"The print job for \"%1\" failed: %2"},
    {1612, u"Warning: a sheet (%1 × %2 mm) does not fit the printable area (%3 × %4 mm) and "
           u"will be cut."},
    {1613, u"&Calibrate printer..."},
    {1614, u"Prints a measuring sheet and corrects the printer's offset and scale"},
    {1615, u"Expor&t as PDF..."},
    {1616, u"Saves the sheets at true size as a PDF file"},
    {1617, u"Export as PDF..."},
    {1618, u"PDF file (PDF)|*.PDF"},
    {1620, u"Calibrate printer"},
    {1621, u"Printer: %1"},
    {1622, u"Correction: offset X %1 mm, Y %2 mm; scale X %3 %, Y %4 %"},
    {1623, u"&Print calibration sheet"},
    {1624, u"Print the calibration sheet, measure it with a ruler and enter what you "
           u"measured. The calibration sheet is printed without correction."},
    {1625, u"Cross from the left paper edge (mm):"},
    {1626, u"Cross from the top paper edge (mm):"},
    {1627, u"Length of the 100 mm ruler (mm):"},
    {1628, u"Length of the 200 mm ruler (mm):"},
    {1629, u"&Reset"},
    {1630, u"Calibration sheet for %1"},
    {1631, u"The measurements do not fit: each ruler must measure between 90 % and 110 % of "
           u"its length, and the cross must lie within 50 mm of the edge."},
    {1632, u"Calibration for \"%1\" saved."},
    {970, u"Die Kopfzeile ist zu lang und wird abgeschnitten."},
    {971, u"Die Fusszeile ist zu lang und wird abgeschnitten."},
    {972, u"Der Randtext ist zu lang und wird gekürzt."},
    {973, u"Der Text passt nicht ganz auf die Seite; der Rest wird nicht gezeigt."},
    {974, u"%1 von %2 Einträgen werden nicht gezeigt."},
    {975, u"Das Bild wird mit nur %1 dpi gedruckt (weniger als 150 dpi)."},
    {1970, u"The header is too long and is cut off."},
    {1971, u"The footer is too long and is cut off."},
    {1972, u"The margin text is too long and is shortened."},
    {1973, u"The text does not fit on the side; the rest is not shown."},
    {1974, u"%1 of %2 entries are not shown."},
    {1975, u"The picture is printed at only %1 dpi (below 150 dpi)."},
};
const std::size_t kStringsRenderSize = std::size(kStringsRender);
