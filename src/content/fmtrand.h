#pragma once
#include "content/formatdialogbase.h"
#include "document/formats.h"

// Formats the margin (spine) text. Like the header dialog without underline; the size list
// is hidden for the maxi-CD case, whose margin text always has 3 mm letters.
class TDlgFormatRandtext : public FormatDialogBase {
    Q_OBJECT
public:
    TDlgFormatRandtext(Dialogs& dialogs, const QStringList& schriftListe,
                       QWidget* parent = nullptr);

    TFormatRandtext Format;

    void RenderDialogPreview() override;

protected:
    Fields fields() override;
    void beforeShow() override;
};
