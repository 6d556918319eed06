#pragma once
#include <QList>

class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStatusBar;
class QToolButton;
class QWidget;

// The controls of the main window, built as designed: every caption and hint is a text id
// (see platform/interfacetext.h) until the language is applied. Kept apart from the window's
// logic so the window class stays small; the members are public so the parts of the program
// that give the controls their behaviour can reach them.
struct SdiMainUi {
    // Tool bar
    QWidget* PanelSpeedbar = nullptr;
    QLabel* ImgLogo = nullptr;
    QWidget* PanelExitBtn = nullptr;
    QComboBox* ComboCoverLayout = nullptr;
    QToolButton* BtnNew = nullptr;
    QToolButton* BtnOpen = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* BtnDrucken = nullptr;
    QToolButton* BtnDruckvorschau = nullptr;
    QToolButton* BtnVerzeichnis = nullptr;
    QToolButton* BtnText = nullptr;
    QToolButton* BtnBild = nullptr;

    // Navigator
    QWidget* PanelNavigator = nullptr;
    QToolButton* BtnZoomIn = nullptr;
    QToolButton* BtnZoomOut = nullptr;
    QToolButton* BtnSeiteEins = nullptr;
    QToolButton* BtnSeiteZwei = nullptr;
    QToolButton* BtnSeiteDrei = nullptr;
    QToolButton* BtnSeiteVier = nullptr;
    QButtonGroup* SeitenGruppe = nullptr; // exactly one side button is down
    QList<QToolButton*> sideButtons() const;

    // Side panel
    QWidget* PanelFormular = nullptr;
    QLabel* LabelRandtext = nullptr;
    QLineEdit* EditRandtext = nullptr;
    QToolButton* BtnFormatRand = nullptr;
    QCheckBox* CheckKopfzeile = nullptr;
    QLineEdit* EditKopfzeile = nullptr;
    QToolButton* BtnFormatKopf = nullptr;
    QCheckBox* CheckFusszeile = nullptr;
    QLineEdit* EditFusszeile = nullptr;
    QToolButton* BtnFormatFuss = nullptr;
    QGroupBox* PanelHintergrund = nullptr;
    QRadioButton* RadioHgFarbe = nullptr;
    QRadioButton* RadioHgBild = nullptr;
    QFrame* PanelHgVorschau = nullptr;
    QLabel* ImgHgVorschau = nullptr;
    QPushButton* BtnHintergrundfarbe = nullptr;
    QComboBox* ComboHgTextur = nullptr;
    QToolButton* BtnTexturHinzufuegen = nullptr;

    // Preview and status bar
    QScrollArea* ScrBoxSeitenVorschau = nullptr;
    QWidget* PaintBoxVorschau = nullptr;
    QStatusBar* StatusBar = nullptr;

    // Main menu
    QMenu* FileMenu = nullptr;
    QAction* Neu1 = nullptr;
    QAction* ffnen1 = nullptr;
    QAction* Speichern1 = nullptr;
    QAction* Speichernunter1 = nullptr;
    QAction* MenuDrucken = nullptr;
    QAction* MenuDruckvorschau = nullptr;
    QAction* Druckereinrichtung1 = nullptr;
    QAction* ExitItem = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QAction* MenuVerzeichnis = nullptr;
    QAction* MenuText = nullptr;
    QAction* MenuBild = nullptr;
    QAction* MenuVorderAussen = nullptr;
    QAction* MenuVorderInnen = nullptr;
    QAction* MenuRueckAussen = nullptr;
    QAction* MenuRueckInnen = nullptr;
    QActionGroup* InhaltGruppe = nullptr; // content kind of the current side
    QActionGroup* SeitenMenuGruppe = nullptr;
    QList<QAction*> sideMenuItems() const;
    QMenu* Ansicht1 = nullptr;
    QAction* MenuZoomIn = nullptr;
    QAction* MenuZoomOut = nullptr;
    QAction* MenuAnsichtStandard = nullptr;
    QMenu* Help1 = nullptr;
    QAction* MenuHilfeTippsTricks = nullptr;
    QAction* MenuHilfeHandbuch = nullptr;
    QAction* MenuHilfeAnleitungen = nullptr;
    QAction* MenuHilfeHomepage = nullptr;
    QAction* MenuHilfeEmail = nullptr;
    QAction* MenuHilfeInfo = nullptr;

    void setupUi(QMainWindow* window);

private:
    void setupSpeedbar(QWidget* parent);
    void setupNavigator(QWidget* parent);
    void setupFormular(QWidget* parent);
    void setupMenu(QMainWindow* window);
};
