#pragma once
#include "render/layouts.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

// The print selection: which sides of a CD case layout go to paper. Created once; the boxes
// keep their state from one print command to the next.
class TDlgDruckauswahl : public QDialog {
    Q_OBJECT
public:
    explicit TDlgDruckauswahl(QWidget* parent = nullptr);

    int CoverLayout = 0; // set before every show

    QCheckBox* CheckVorderseiten = nullptr;
    QCheckBox* CheckRueckseite = nullptr;
    QCheckBox* CheckVorderAussen = nullptr;
    QCheckBox* CheckVorderInnen = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Shows the boxes of CoverLayout; runs at every show.
    void FormShow();
    PrintSelection selection() const;

protected:
    void showEvent(QShowEvent* event) override;
};
