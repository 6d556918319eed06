#pragma once
#include "platform/dialogs.h"

#include <functional>
#include <QList>
#include <QObject>

class CoverDocument;
class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TDlgFormatKopfFuss;
class TDlgFormatRandtext;

// The controls of the main window that the side panel drives.
struct SidePanelWidgets {
    QLabel* LabelRandtext = nullptr;
    QLineEdit* EditRandtext = nullptr;
    QToolButton* BtnFormatRand = nullptr;
    QCheckBox* CheckKopfzeile = nullptr;
    QLineEdit* EditKopfzeile = nullptr;
    QToolButton* BtnFormatKopf = nullptr;
    QCheckBox* CheckFusszeile = nullptr;
    QLineEdit* EditFusszeile = nullptr;
    QToolButton* BtnFormatFuss = nullptr;
    QRadioButton* RadioHgFarbe = nullptr;
    QRadioButton* RadioHgBild = nullptr;
    QFrame* PanelHgVorschau = nullptr;
    QLabel* ImgHgVorschau = nullptr;
    QPushButton* BtnHintergrundfarbe = nullptr;
    QComboBox* ComboHgTextur = nullptr;
    QToolButton* BtnTexturHinzufuegen = nullptr;
    QList<QToolButton*> sideButtons; // BtnSeiteEins .. BtnSeiteVier
    QList<QAction*> sideMenuItems;   // MenuVorderAussen .. MenuRueckInnen
    QAction* MenuVerzeichnis = nullptr;
    QAction* MenuText = nullptr;
    QAction* MenuBild = nullptr;
    QComboBox* ComboCoverLayout = nullptr;
};

// What the panel needs of the main window.
struct SidePanelHost {
    std::function<bool()> bereit;
    std::function<void(bool)> setBereit;
    std::function<void(int side)> renderSidePreview;
    std::function<FileDialogRequest()> openPictureDialog; // OpenPictureDialog of the window
    // The undo history: a change the user made, named by a string id; typed text that the
    // user finished (focus left the edit, Enter). Either may be empty.
    std::function<void(int nameId)> recordStep;
    std::function<void()> commitTyping;
};

// The main window's side panel: the side switch, the header, footer and margin edits, the
// format buttons and the background (colour or texture). Every control writes through to
// the document at once; a side switch derives every control from the document again.
class SidePanel : public QObject {
    Q_OBJECT
public:
    SidePanel(const SidePanelWidgets& widgets, CoverDocument& document, Dialogs& dialogs,
              SidePanelHost host, TDlgFormatKopfFuss& formatKopfFuss,
              TDlgFormatRandtext& formatRandtext, QObject* parent = nullptr);

    // The side switch to side s (shared by the side buttons and menu items).
    void ShowSide(int side);
    void MenuVorderAussenClick() { ShowSide(0); }
    void MenuVorderInnenClick() { ShowSide(1); }
    void MenuRueckAussenClick() { ShowSide(2); }
    void MenuRueckInnenClick() { ShowSide(3); }

    void EditKopfzeileChange();
    void EditFusszeileChange();
    void EditRandtextChange();
    void EditKeyPress(int key); // any of the three edits
    void EditExit();
    void CheckKopfzeileClick();
    void CheckFusszeileClick();
    void BtnFormatKopfClick();
    void BtnFormatFussClick();
    void BtnFormatRandClick();
    void BtnHgFarbeClick();
    void BtnHgBildClick();
    void BtnHintergrundfarbeClick();
    void ComboHgTexturChange();
    void BtnTexturHinzufuegenClick();
    // Fills ComboHgTextur from the textures folder (start-up and after adding a texture).
    void FillTextureList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillSwatch(qint32 colour);
    void showBackgroundControls(bool texture);
    void selectTexture(const QString& name);
    void runFormatDialog(bool footer);
    bool bereit() const { return host_.bereit(); }
    void redraw();
    void record(int nameId);
    void commitTyping();

    SidePanelWidgets w_;
    CoverDocument& doc_;
    Dialogs& dialogs_;
    SidePanelHost host_;
    TDlgFormatKopfFuss& formatKopfFuss_;
    TDlgFormatRandtext& formatRandtext_;
};

// The texture list: file names in dir matching *.BMP;*.WMF;*.EMF;*.ICO;*.JPG in any letter
// case, sorted by name.
QStringList TextureFileNames(const QString& dir);
