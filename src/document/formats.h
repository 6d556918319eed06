#pragma once
#include <QString>
#include <QtGlobal>

// The format records of a cover. Member initialisers are the reset values.
// Colours are 0x00BBGGRR; booleans are bytes that count as true only when they hold 1
// (FontStyleFromFlags) or by their lowest bit when read from a file.

// Header and footer line.
struct TFormatUeberschrift {
    quint8 Sichtbar = 1;
    qint32 HgFarbe = 0xC0C0C0;
    QString Schriftart = QStringLiteral("Times New Roman");
    qint32 Schriftfarbe = 0;
    quint8 Fett = 0;
    quint8 Kursiv = 0;
    quint8 Unterstrichen = 0;
    qint32 Ausrichtung = 2; // 0 left, 1 right, 2 centred
    qint32 Groesse = 8;     // letter height in mm = index + 2
    bool operator==(const TFormatUeberschrift&) const = default;
};

// Margin (spine) text.
struct TFormatRandtext {
    qint32 HgFarbe = 0x808080;
    QString Schriftart = QStringLiteral("Times New Roman");
    qint32 Schriftfarbe = 0xFFFFFF;
    quint8 Fett = 0;
    quint8 Kursiv = 0;
    qint32 Ausrichtung = 2;
    qint32 Groesse = 2; // 0..4, height in mm = index + 2
    bool operator==(const TFormatRandtext&) const = default;
};

// Directory listing.
struct TFormatVerzeichnis {
    QString Schriftart = QStringLiteral("Courier New");
    qint32 Schriftfarbe = 0;
    qint32 Groesse = 1;     // 0..4, height in mm = index + 2
    qint32 Tiefe = 2;       // 0..7, depth = index + 1
    qint32 Kommentare = 0;  // 0 "0:4", 1 "2:2", 2 "3:1"
    quint8 StartVerz = 1;   // print the start directory line
    bool operator==(const TFormatVerzeichnis&) const = default;
};

// Free text.
struct TFormatText {
    QString Schriftart = QStringLiteral("Times New Roman");
    qint32 Schriftfarbe = 0;
    quint8 Fett = 0;
    quint8 Kursiv = 0;
    qint32 Ausrichtung = 0;
    qint32 Groesse = 0; // 0..27, height in mm = index + 3
    bool operator==(const TFormatText&) const = default;
};

// Picture placement.
struct TFormatBild {
    qint32 Bildmasse = 1;   // 0 natural size, 1 stretched, 2 filling the side (cut to fit)
    qint32 Ausrichtung = 2; // natural size and filling: 0 top left, 1 bottom right, 2 centred
    QString DateiName;      // full path of the picture file
    bool operator==(const TFormatBild&) const = default;
};

// Background.
struct TFormatHintergrund {
    qint32 Art = 0; // 0 plain colour, 1 texture
    qint32 Farbe = 0xFFFFFF;
    qint32 Modus = 0; // texture drawn only when 0
    qint32 Reserve1 = 20;
    qint32 Reserve2 = 20;
    QString Textur = QStringLiteral("standard.bmp");
    bool operator==(const TFormatHintergrund&) const = default;
};
