#include "app/lkzwahl.h"
#include "platform/programresources.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {
QLabel* flag(const QString& resource, QWidget* parent) {
    auto* label = new QLabel(parent);
    QPixmap pix(60, 40);
    pix.fill(Qt::transparent);
    QSvgRenderer svg(resource);
    if (svg.isValid()) {
        QPainter p(&pix);
        svg.render(&p, QRectF(0, 0, 60, 40));
    }
    label->setPixmap(pix);
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

TDlgSprache::TDlgSprache(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgSprache"));
    setWindowTitle(QStringLiteral("Click !"));
    // No close box and no system menu: one of the two buttons has to be pressed.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* group = new QGroupBox(QStringLiteral("Sprache / Language"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(flag(ProgramImagePath(QStringLiteral("flag_de.svg")), group), 0, 0);
    grid->addWidget(flag(ProgramImagePath(QStringLiteral("flag_en.svg")), group), 0, 1);
    auto* de = new QPushButton(QStringLiteral("&deutsch"), group);
    auto* en = new QPushButton(QStringLiteral("&english"), group);
    de->setObjectName(QStringLiteral("BtnDeutsch"));
    en->setObjectName(QStringLiteral("BtnEnglish"));
    grid->addWidget(de, 1, 0);
    grid->addWidget(en, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    connect(de, &QPushButton::clicked, this, &TDlgSprache::BtnDeutschClick);
    connect(en, &QPushButton::clicked, this, &TDlgSprache::BtnEnglishClick);
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));
}

void TDlgSprache::BtnDeutschClick() {
    Sprachcode = 49;
    answered_ = true;
    done(1);
}

void TDlgSprache::BtnEnglishClick() {
    Sprachcode = 44;
    answered_ = true;
    done(1);
}

void TDlgSprache::keyPressEvent(QKeyEvent* event) {
    // Escape would close the dialog without a button; the code then stays 44 anyway,
    // but the question is meant to be answered.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void TDlgSprache::closeEvent(QCloseEvent* event) {
    // Closing would silently choose English and store it.
    if (answered_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}
