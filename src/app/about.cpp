#include "app/about.h"
#include "platform/dialogs.h"
#include "platform/helptarget.h"
#include "platform/interfacetext.h"
#include "platform/programresources.h"
#include "platform/versioninfo.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(Dialogs& dialogs, const TKVVersionInfo& versionInfo, bool versionOK,
                     QWidget* parent)
    : QDialog(parent), Dlgs(dialogs) {
    setObjectName(QStringLiteral("AboutBox"));
    SetTextId(this, 160);
    setFixedSize(300, 176);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 284, 90);
    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(12, 13, 64, 64);
    ProgramIcon->setPixmap(QPixmap(ProgramImagePath(QStringLiteral("zarvex.png"))));

    // The designed texts, shown when there is no version record.
    ProductName = new QLabel(QStringLiteral("Zarvex!"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(92, 17, 180, 24);
    QFont big = ProductName->font();
    if (big.pointSizeF() > 0) big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    ProductName->setFont(big);
    Version = new QLabel(QStringLiteral("Version"), Panel1);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(92, 49, 180, 20);
    CompanyName = new QLabel(QStringLiteral("Zarvex project"), Panel1);
    CompanyName->setObjectName(QStringLiteral("CompanyName"));
    CompanyName->setGeometry(92, 66, 180, 20);
    CompanyName->setVisible(false);

    LabelLizenz = new QLabel(this);
    LabelLizenz->setObjectName(QStringLiteral("LabelLizenz"));
    LabelLizenz->setGeometry(8, 102, 284, 30);
    LabelLizenz->setWordWrap(true);
    SetTextId(LabelLizenz, StrAboutLicence);

    BtnAutor = new QPushButton(this);
    BtnAutor->setObjectName(QStringLiteral("BtnAutor"));
    BtnAutor->setGeometry(8, 136, 140, 30);
    SetTextId(BtnAutor, 161);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(212, 136, 80, 30);
    OKButton->setDefault(true);
    connect(BtnAutor, &QPushButton::clicked, this, &TAboutBox::BtnAutorClick);
    connect(OKButton, &QPushButton::clicked, this, [this] { done(1); });

    FormCreate(versionInfo, versionOK);
    RegisterTranslatedWindow(this);
}

void TAboutBox::FormCreate(const TKVVersionInfo& versionInfo, bool versionOK) {
    if (!versionOK) return;
    ProductName->setText(versionInfo.ProductName());
    Version->setText(VersionText(versionInfo));
    CompanyName->setText(versionInfo.CompanyName());
}

QString TAboutBox::VersionText(const TKVVersionInfo& v) {
    return QStringLiteral("Version %1.%2.%3").arg(v.Major).arg(v.Minor).arg(v.Build);
}

void TAboutBox::BtnAutorClick() {
    OpenHelpTarget(Dlgs, HelpTarget::Contact);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window.
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    OKButton->setFocus(); // Enter closes the box
    QDialog::showEvent(event);
}
