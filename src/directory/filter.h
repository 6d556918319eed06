#pragma once
#include "directory/dirfiltersettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The reader's filter dialog: folders only, or files matching a mask as well.
class TDlgDirFilter : public QDialog {
    Q_OBJECT
public:
    explicit TDlgDirFilter(QWidget* parent = nullptr);

    // The filter button of the directory dialog: shows the settings, and on OK takes the
    // check box and the mask over unchanged (an empty mask included). Cancel changes
    // nothing. True on OK.
    bool BtnDirFilterClick(DirFilterSettings& settings);

    // The two halves of BtnDirFilterClick, for callers that show the dialog themselves.
    void setFrom(const DirFilterSettings& settings);
    void applyTo(DirFilterSettings& settings) const;

    QCheckBox* CheckNurVerzeichnisse;
    QLineEdit* EditDateiFilter;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void CheckNurVerzeichnisseClick();
};
