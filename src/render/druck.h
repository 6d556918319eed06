#pragma once
#include "render/layouts.h"
#include "render/sheetmarks.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QPushButton;

// The print selection: which sides of a CD case layout go to paper, and whether sheets get
// bleed and crop marks. Created once; the boxes keep their state from one print command to
// the next, and bleed and marks are kept in the user's settings.
class TDlgDruckauswahl : public QDialog {
    Q_OBJECT
public:
    explicit TDlgDruckauswahl(QWidget* parent = nullptr);

    int CoverLayout = 0; // set before every show

    QCheckBox* CheckVorderseiten = nullptr;
    QCheckBox* CheckRueckseite = nullptr;
    QCheckBox* CheckVorderAussen = nullptr;
    QCheckBox* CheckVorderInnen = nullptr;
    QCheckBox* CheckBeschnitt = nullptr;
    QDoubleSpinBox* EditBeschnitt = nullptr; // mm
    QCheckBox* CheckSchnittmarken = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Shows the boxes of CoverLayout; runs at every show.
    void FormShow();
    PrintSelection selection() const;
    SheetMarksChoice marksChoice() const;

protected:
    void showEvent(QShowEvent* event) override;
};
