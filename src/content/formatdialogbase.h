#pragma once
#include <QDialog>
#include <QStringList>

class DialogPreview;
class Dialogs;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// What the header/footer and the margin text format dialogs share: font, size, colours,
// style boxes, alignment, the font sample and the live preview. Each dialog works on a
// working copy of its record and hands it back only when the user leaves with OK; the
// subclass says where the record's fields are and how the preview is drawn.
class FormatDialogBase : public QDialog {
    Q_OBJECT
public:
    // The record fields the shared controls edit; Unterstrichen is null when there is none.
    struct Fields {
        QString* Schriftart;
        qint32* Schriftfarbe;
        qint32* HgFarbe;
        quint8* Fett;
        quint8* Kursiv;
        quint8* Unterstrichen;
        qint32* Ausrichtung;
        qint32* Groesse;
    };

    QString Beispieltext; // the line's current text, the preview text
    int CoverLayout = 0;  // the case layout the preview shows

    QLabel* LabelSchriftart = nullptr;
    QComboBox* ComboSchriftart = nullptr;
    QLabel* LabelGroesse = nullptr;
    QComboBox* ComboSchriftgroesse = nullptr;
    QPushButton* BtnHintergrundfarbe = nullptr;
    QPushButton* BtnSchriftfarbe = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckFett = nullptr;
    QCheckBox* CheckKursiv = nullptr;
    QCheckBox* CheckUnterstrichen = nullptr;
    QGroupBox* RadioAusrichtung = nullptr;
    QButtonGroup* AusrichtungItems = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* LabelSchrift = nullptr;
    QLabel* LabelVorschau = nullptr;
    QFrame* PanelVorschau = nullptr;
    DialogPreview* PaintBoxVorschau = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // FormShow runs at every show; tests may call it on a dialog that is not shown.
    void FormShow();
    virtual void RenderDialogPreview() = 0;

    void ComboSchriftartChange();
    void ComboSchriftgroesseChange();
    void CheckFettClick();
    void CheckKursivClick();
    void CheckUnterstrichenClick();
    void RadioAusrichtungClick();
    void BtnHintergrundfarbeClick();
    void BtnSchriftfarbeClick();

protected:
    FormatDialogBase(Dialogs& dialogs, const QStringList& schriftListe, int sizeItems,
                     bool underline, QWidget* parent);
    virtual Fields fields() = 0;
    // Called at the start of every show, before the controls are filled.
    virtual void beforeShow() {}
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void updateSample();

    Dialogs& dialogs_;
};
