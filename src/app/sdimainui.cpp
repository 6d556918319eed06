#include "app/sdimainui.h"
#include "platform/glyphs.h"
#include "platform/interfacetext.h"
#include "platform/programresources.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Designed captions and items are the decimal ids; the language replaces them.
QString idText(int id) {
    return QString::number(id);
}

QToolButton* toolButton(QWidget* parent, const QString& name, int id, QRect geometry,
                        const QIcon& icon = QIcon()) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    if (!icon.isNull()) {
        b->setIcon(icon);
        b->setIconSize(QSize(21, 21));
    }
    SetTextId(b, id);
    return b;
}

template <typename W> W* placed(W* w, const QString& name, QRect geometry, int id = 0) {
    w->setObjectName(name);
    w->setGeometry(geometry);
    if (id) SetTextId(w, id);
    return w;
}

QAction* menuItem(QMenu* menu, const QString& name, int id, const QKeySequence& key = {}) {
    auto* a = new QAction(idText(id), menu);
    a->setObjectName(name);
    a->setShortcut(key);
    SetTextId(a, id);
    menu->addAction(a);
    return a;
}

QMenu* topMenu(QMenuBar* bar, const QString& name, int id) {
    QMenu* m = bar->addMenu(idText(id));
    m->setObjectName(name);
    SetTextId(m->menuAction(), id);
    return m;
}

} // namespace

QList<QToolButton*> SdiMainUi::sideButtons() const {
    return {BtnSeiteEins, BtnSeiteZwei, BtnSeiteDrei, BtnSeiteVier};
}

QList<QAction*> SdiMainUi::sideMenuItems() const {
    return {MenuVorderAussen, MenuVorderInnen, MenuRueckAussen, MenuRueckInnen};
}

void SdiMainUi::setupUi(QMainWindow* window) {
    window->setObjectName(QStringLiteral("SDIAppForm"));
    window->setWindowTitle(QStringLiteral("Zarvex!"));
    window->resize(640, 480);

    auto* central = new QWidget(window);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    PanelSpeedbar = new QWidget(central);
    PanelSpeedbar->setObjectName(QStringLiteral("PanelSpeedbar"));
    PanelSpeedbar->setFixedHeight(60);
    setupSpeedbar(PanelSpeedbar);
    outer->addWidget(PanelSpeedbar);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    outer->addLayout(row, 1);
    PanelNavigator = new QWidget(central);
    PanelNavigator->setObjectName(QStringLiteral("PanelNavigator"));
    PanelNavigator->setFixedWidth(54);
    setupNavigator(PanelNavigator);
    row->addWidget(PanelNavigator);

    ScrBoxSeitenVorschau = new QScrollArea(central);
    ScrBoxSeitenVorschau->setObjectName(QStringLiteral("ScrBoxSeitenVorschau"));
    QPalette white = ScrBoxSeitenVorschau->palette();
    white.setColor(QPalette::Window, Qt::white);
    ScrBoxSeitenVorschau->viewport()->setPalette(white);
    ScrBoxSeitenVorschau->viewport()->setAutoFillBackground(true);
    PaintBoxVorschau = new QWidget;
    PaintBoxVorschau->setObjectName(QStringLiteral("PaintBoxVorschau"));
    PaintBoxVorschau->resize(640, 640);
    ScrBoxSeitenVorschau->setWidget(PaintBoxVorschau);
    row->addWidget(ScrBoxSeitenVorschau, 1);

    PanelFormular = new QWidget(central);
    PanelFormular->setObjectName(QStringLiteral("PanelFormular"));
    PanelFormular->setFixedWidth(242);
    setupFormular(PanelFormular);
    row->addWidget(PanelFormular);
    window->setCentralWidget(central);

    StatusBar = new QStatusBar(window);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    window->setStatusBar(StatusBar);
    setupMenu(window);
}

void SdiMainUi::setupSpeedbar(QWidget* bar) {
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, QColor(0x66, 0x99, 0xCC));
    bar->setPalette(pal);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ImgLogo = new QLabel(bar);
    ImgLogo->setObjectName(QStringLiteral("ImgLogo"));
    ImgLogo->setPixmap(QPixmap(ProgramImagePath(QStringLiteral("logo.jpg"))));
    ImgLogo->setFixedSize(468, 60);
    ImgLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(ImgLogo, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);

    PanelExitBtn = new QWidget(bar);
    PanelExitBtn->setObjectName(QStringLiteral("PanelExitBtn"));
    PanelExitBtn->setFixedSize(242, 60);
    layout->addWidget(PanelExitBtn);
    ComboCoverLayout = placed(new QComboBox(PanelExitBtn), QStringLiteral("ComboCoverLayout"),
                              QRect(4, 4, 234, 22), 371);
    for (int id = 371; id <= 374; ++id)
        ComboCoverLayout->addItem(idText(id));
    ComboCoverLayout->setCurrentIndex(0);
    ComboCoverLayout->setToolTip(QStringLiteral("Layout"));

    const int y = 31;
    BtnNew = toolButton(PanelExitBtn, QStringLiteral("BtnNew"), 100, QRect(4, y, 25, 25),
                        toolGlyph(ToolGlyph::New));
    BtnOpen = toolButton(PanelExitBtn, QStringLiteral("BtnOpen"), 101, QRect(29, y, 25, 25),
                         toolGlyph(ToolGlyph::Open));
    SaveBtn = toolButton(PanelExitBtn, QStringLiteral("SaveBtn"), 102, QRect(54, y, 25, 25),
                         toolGlyph(ToolGlyph::Save));
    BtnDrucken = toolButton(PanelExitBtn, QStringLiteral("BtnDrucken"), 103, QRect(89, y, 25, 25),
                            toolGlyph(ToolGlyph::Print));
    BtnDruckvorschau = toolButton(PanelExitBtn, QStringLiteral("BtnDruckvorschau"), 753,
                                  QRect(114, y, 25, 25), toolGlyph(ToolGlyph::PrintPreview));
    BtnVerzeichnis = toolButton(PanelExitBtn, QStringLiteral("BtnVerzeichnis"), 104,
                                QRect(163, y, 25, 25), toolGlyph(ToolGlyph::Directory));
    BtnText = toolButton(PanelExitBtn, QStringLiteral("BtnText"), 105, QRect(188, y, 25, 25),
                         toolGlyph(ToolGlyph::Text));
    BtnBild = toolButton(PanelExitBtn, QStringLiteral("BtnBild"), 106, QRect(213, y, 25, 25),
                         toolGlyph(ToolGlyph::Picture));
}

void SdiMainUi::setupNavigator(QWidget* nav) {
    BtnZoomIn = toolButton(nav, QStringLiteral("BtnZoomIn"), 121, QRect(2, 2, 25, 25),
                           toolGlyph(ToolGlyph::ZoomIn));
    BtnZoomOut = toolButton(nav, QStringLiteral("BtnZoomOut"), 122, QRect(27, 2, 25, 25),
                            toolGlyph(ToolGlyph::ZoomOut));
    BtnZoomOut->setEnabled(false);
    SeitenGruppe = new QButtonGroup(nav);
    SeitenGruppe->setExclusive(true);
    const char* names[] = {"BtnSeiteEins", "BtnSeiteZwei", "BtnSeiteDrei", "BtnSeiteVier"};
    QToolButton** buttons[] = {&BtnSeiteEins, &BtnSeiteZwei, &BtnSeiteDrei, &BtnSeiteVier};
    QFont big = nav->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    for (int s = 0; s < 4; ++s) {
        QToolButton* b =
            toolButton(nav, QLatin1String(names[s]), 123 + s, QRect(2, 27 + 50 * s, 50, 50));
        b->setText(QStringLiteral("&%1").arg(s + 1));
        b->setFont(big);
        b->setCheckable(true);
        SeitenGruppe->addButton(b, s);
        *buttons[s] = b;
    }
    BtnSeiteEins->setChecked(true);
}

void SdiMainUi::setupFormular(QWidget* panel) {
    PanelHintergrund = placed(new QGroupBox(QString::number(141), panel),
                              QStringLiteral("PanelHintergrund"), QRect(4, 10, 234, 150), 141);
    RadioHgFarbe = placed(new QRadioButton(idText(142), PanelHintergrund),
                          QStringLiteral("RadioHgFarbe"), QRect(8, 22, 120, 17), 142);
    RadioHgBild = placed(new QRadioButton(idText(143), PanelHintergrund),
                         QStringLiteral("RadioHgBild"), QRect(8, 45, 120, 17), 143);
    RadioHgFarbe->setChecked(true);
    PanelHgVorschau = placed(new QFrame(PanelHintergrund), QStringLiteral("PanelHgVorschau"),
                             QRect(140, 22, 86, 88));
    PanelHgVorschau->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelHgVorschau->setFocusPolicy(Qt::StrongFocus); // the side switch parks the focus here
    ImgHgVorschau =
        placed(new QLabel(PanelHgVorschau), QStringLiteral("ImgHgVorschau"), QRect(2, 2, 82, 84));
    ImgHgVorschau->setScaledContents(true);
    QPixmap swatch(82, 84);
    swatch.fill(Qt::white);
    ImgHgVorschau->setPixmap(swatch);
    BtnHintergrundfarbe =
        placed(new QPushButton(idText(144), PanelHintergrund),
               QStringLiteral("BtnHintergrundfarbe"), QRect(8, 120, 218, 22), 144);
    BtnTexturHinzufuegen = toolButton(PanelHintergrund, QStringLiteral("BtnTexturHinzufuegen"), 145,
                                      QRect(8, 120, 22, 22), toolGlyph(ToolGlyph::Add));
    BtnTexturHinzufuegen->hide();
    ComboHgTextur = placed(new QComboBox(PanelHintergrund), QStringLiteral("ComboHgTextur"),
                           QRect(35, 120, 191, 22));
    ComboHgTextur->hide();

    LabelRandtext = placed(new QLabel(idText(151), panel), QStringLiteral("LabelRandtext"),
                           QRect(4, 180, 204, 13), 151);
    EditRandtext =
        placed(new QLineEdit(panel), QStringLiteral("EditRandtext"), QRect(4, 196, 204, 21));
    BtnFormatRand =
        toolButton(panel, QStringLiteral("BtnFormatRand"), 131, QRect(212, 196, 25, 21));
    CheckKopfzeile = placed(new QCheckBox(idText(152), panel), QStringLiteral("CheckKopfzeile"),
                            QRect(4, 244, 204, 17), 152);
    EditKopfzeile =
        placed(new QLineEdit(panel), QStringLiteral("EditKopfzeile"), QRect(4, 264, 204, 21));
    BtnFormatKopf =
        toolButton(panel, QStringLiteral("BtnFormatKopf"), 131, QRect(212, 264, 25, 21));
    CheckFusszeile = placed(new QCheckBox(idText(153), panel), QStringLiteral("CheckFusszeile"),
                            QRect(4, 296, 204, 17), 153);
    EditFusszeile =
        placed(new QLineEdit(panel), QStringLiteral("EditFusszeile"), QRect(4, 316, 204, 21));
    BtnFormatFuss =
        toolButton(panel, QStringLiteral("BtnFormatFuss"), 131, QRect(212, 316, 25, 21));
    for (QToolButton* b : {BtnFormatRand, BtnFormatKopf, BtnFormatFuss})
        b->setText(QStringLiteral("..."));
    CheckKopfzeile->setChecked(true);
    CheckFusszeile->setChecked(true);
}

void SdiMainUi::setupMenu(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    FileMenu = topMenu(bar, QStringLiteral("FileMenu"), 1);
    Neu1 = menuItem(FileMenu, QStringLiteral("Neu1"), 2, QKeySequence(Qt::CTRL | Qt::Key_N));
    ffnen1 = menuItem(FileMenu, QStringLiteral("ffnen1"), 3, QKeySequence(Qt::CTRL | Qt::Key_O));
    Speichern1 =
        menuItem(FileMenu, QStringLiteral("Speichern1"), 4, QKeySequence(Qt::CTRL | Qt::Key_S));
    Speichernunter1 = menuItem(FileMenu, QStringLiteral("Speichernunter1"), 5,
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    FileMenu->addSeparator();
    MenuDrucken =
        menuItem(FileMenu, QStringLiteral("MenuDrucken"), 6, QKeySequence(Qt::CTRL | Qt::Key_P));
    MenuDruckvorschau = menuItem(FileMenu, QStringLiteral("MenuDruckvorschau"), 752);
    Druckereinrichtung1 = menuItem(FileMenu, QStringLiteral("Druckereinrichtung1"), 7);
    FileMenu->addSeparator();
    ExitItem = menuItem(FileMenu, QStringLiteral("ExitItem"), 8, QKeySequence(Qt::ALT | Qt::Key_X));

    Bearbeiten1 = topMenu(bar, QStringLiteral("Bearbeiten1"), 10);
    MenuVerzeichnis = menuItem(Bearbeiten1, QStringLiteral("MenuVerzeichnis"), 11);
    MenuText = menuItem(Bearbeiten1, QStringLiteral("MenuText"), 12);
    MenuBild = menuItem(Bearbeiten1, QStringLiteral("MenuBild"), 13);
    InhaltGruppe = new QActionGroup(Bearbeiten1);
    InhaltGruppe->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* a : {MenuVerzeichnis, MenuText, MenuBild}) {
        a->setCheckable(true);
        InhaltGruppe->addAction(a);
    }
    Bearbeiten1->addSeparator();
    MenuVorderAussen = menuItem(Bearbeiten1, QStringLiteral("MenuVorderAussen"), 14);
    MenuVorderInnen = menuItem(Bearbeiten1, QStringLiteral("MenuVorderInnen"), 15);
    MenuRueckAussen = menuItem(Bearbeiten1, QStringLiteral("MenuRueckAussen"), 16);
    MenuRueckInnen = menuItem(Bearbeiten1, QStringLiteral("MenuRueckInnen"), 17);
    SeitenMenuGruppe = new QActionGroup(Bearbeiten1);
    SeitenMenuGruppe->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* a : sideMenuItems()) {
        a->setCheckable(true);
        SeitenMenuGruppe->addAction(a);
    }
    MenuVorderAussen->setChecked(true);

    Ansicht1 = topMenu(bar, QStringLiteral("Ansicht1"), 20);
    MenuZoomIn = menuItem(Ansicht1, QStringLiteral("MenuZoomIn"), 21);
    MenuZoomOut = menuItem(Ansicht1, QStringLiteral("MenuZoomOut"), 22);
    MenuZoomOut->setEnabled(false);
    Ansicht1->addSeparator();
    MenuAnsichtStandard = menuItem(Ansicht1, QStringLiteral("MenuAnsichtStandard"), 23);
    MenuAnsichtStandard->setEnabled(false);

    Help1 = topMenu(bar, QStringLiteral("Help1"), 30);
    MenuHilfeTippsTricks = menuItem(Help1, QStringLiteral("MenuHilfeTippsTricks"), 32);
    MenuHilfeHandbuch = menuItem(Help1, QStringLiteral("MenuHilfeHandbuch"), 33);
    MenuHilfeHandbuch->setVisible(false);
    MenuHilfeAnleitungen =
        menuItem(Help1, QStringLiteral("MenuHilfeAnleitungen"), 34, QKeySequence(Qt::Key_F1));
    Help1->addSeparator();
    MenuHilfeHomepage = menuItem(Help1, QStringLiteral("MenuHilfeHomepage"), 35);
    MenuHilfeEmail = menuItem(Help1, QStringLiteral("MenuHilfeEmail"), 36);
    Help1->addSeparator();
    MenuHilfeInfo = menuItem(Help1, QStringLiteral("MenuHilfeInfo"), 37);
}
