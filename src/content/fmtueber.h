#pragma once
#include "content/formatdialogbase.h"
#include "document/formats.h"

#include <QRect>

// Formats a header or footer line. The caller sets Seite, Beispieltext, CoverLayout and a copy
// of the record in Format, shows the dialog and copies Format back when it returns 1.
// Sichtbar is not edited here and goes back unchanged.
class TDlgFormatKopfFuss : public FormatDialogBase {
    Q_OBJECT
public:
    TDlgFormatKopfFuss(Dialogs& dialogs, const QStringList& schriftListe,
                       QWidget* parent = nullptr);

    quint8 Seite = 0;
    TFormatUeberschrift Format;

    void RenderDialogPreview() override;
    // Where the line is previewed: x, y and width in mm (the side's area) by side and layout.
    static QRect BandPlacement(int seite, int coverLayout);

protected:
    Fields fields() override;
};
