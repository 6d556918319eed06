#include "directory/filter.h"
#include "directory/directorystrings.h"
#include "platform/interfacetext.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDlgDirFilter::TDlgDirFilter(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgDirFilter"));
    CheckNurVerzeichnisse = new QCheckBox(this);
    CheckNurVerzeichnisse->setObjectName(QStringLiteral("CheckNurVerzeichnisse"));
    CheckNurVerzeichnisse->setChecked(true);
    EditDateiFilter = new QLineEdit(QStringLiteral("*.*"), this);
    EditDateiFilter->setObjectName(QStringLiteral("EditDateiFilter"));
    EditDateiFilter->setEnabled(false);
    OKBtn = new QPushButton(this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    SetTextId(this, IdFilterCaption);
    SetTextId(CheckNurVerzeichnisse, IdOnlyDirectories);
    SetTextId(OKBtn, StrDirOk);
    SetTextId(CancelBtn, StrDirCancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckNurVerzeichnisse);
    layout->addWidget(EditDateiFilter);
    layout->addLayout(buttons);
    setFixedWidth(260);

    connect(CheckNurVerzeichnisse, &QCheckBox::clicked, this,
            [this] { CheckNurVerzeichnisseClick(); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    RegisterTranslatedWindow(this);
}

void TDlgDirFilter::setFrom(const DirFilterSettings& settings) {
    CheckNurVerzeichnisse->setChecked(settings.OnlyDirectories);
    EditDateiFilter->setText(settings.FileMask);
    CheckNurVerzeichnisseClick();
}

void TDlgDirFilter::applyTo(DirFilterSettings& settings) const {
    settings.OnlyDirectories = CheckNurVerzeichnisse->isChecked();
    settings.FileMask = EditDateiFilter->text();
}

bool TDlgDirFilter::BtnDirFilterClick(DirFilterSettings& settings) {
    setFrom(settings);
    if (exec() != QDialog::Accepted) return false;
    applyTo(settings);
    return true;
}

void TDlgDirFilter::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TDlgDirFilter::FormShow() {
    CheckNurVerzeichnisseClick();
}

// The mask matters only when files are read too.
void TDlgDirFilter::CheckNurVerzeichnisseClick() {
    EditDateiFilter->setEnabled(!CheckNurVerzeichnisse->isChecked());
}
