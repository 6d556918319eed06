#include "content/sidepanel.h"
#include "content/fmtrand.h"
#include "content/fmtueber.h"
#include "content/picturefilecopy.h"
#include "document/coverdocument.h"
#include "document/documentstrings.h"
#include "platform/apperror.h"
#include "platform/busycursor.h"
#include "platform/colors.h"
#include "platform/errorreport.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

#include <limits>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
// Which sides show the margin text controls, by case layout (rows: sides 0..3).
constexpr bool kMarginVisible[4][4] = {
    {false, false, true, false}, // front outside: maxi-CD only
    {false, false, false, false},
    {true, true, false, false}, // back outside: the two CD cases
    {false, false, false, false},
};

QString texturesDir() {
    return ProgSubDir(QStringLiteral("texturen"));
}

const QStringList& textureMasks() {
    static const QStringList masks = {QStringLiteral("*.bmp"), QStringLiteral("*.wmf"),
                                      QStringLiteral("*.emf"), QStringLiteral("*.ico"),
                                      QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
    return masks;
}
} // namespace

QStringList TextureFileNames(const QString& dir) {
    // QDir matches name filters without regard to letter case unless told otherwise.
    return QDir(dir).entryList(textureMasks(), QDir::Files | QDir::Readable,
                               QDir::Name | QDir::IgnoreCase);
}

SidePanel::SidePanel(const SidePanelWidgets& widgets, CoverDocument& document, Dialogs& dialogs,
                     SidePanelHost host, TDlgFormatKopfFuss& formatKopfFuss,
                     TDlgFormatRandtext& formatRandtext, QObject* parent)
    : QObject(parent), w_(widgets), doc_(document), dialogs_(dialogs), host_(std::move(host)),
      formatKopfFuss_(formatKopfFuss), formatRandtext_(formatRandtext) {
    for (int s = 0; s < w_.sideButtons.size(); ++s)
        connect(w_.sideButtons[s], &QToolButton::clicked, this, [this, s] { ShowSide(s); });
    for (int s = 0; s < w_.sideMenuItems.size(); ++s)
        connect(w_.sideMenuItems[s], &QAction::triggered, this, [this, s] { ShowSide(s); });
    connect(w_.EditKopfzeile, &QLineEdit::textChanged, this, &SidePanel::EditKopfzeileChange);
    connect(w_.EditFusszeile, &QLineEdit::textChanged, this, &SidePanel::EditFusszeileChange);
    connect(w_.EditRandtext, &QLineEdit::textChanged, this, &SidePanel::EditRandtextChange);
    for (QLineEdit* e : {w_.EditKopfzeile, w_.EditFusszeile, w_.EditRandtext}) {
        // A line edit cuts its text at 32,767 characters unless told otherwise; a cover's
        // lines are kept whole, however long.
        e->setMaxLength(std::numeric_limits<int>::max());
        e->installEventFilter(this);
        // Every change the user makes marks the document modified, also one made with the
        // mouse (context menu paste, cut, undo) or the Delete key.
        connect(e, &QLineEdit::textEdited, this, [this] { doc_.Geaendert = true; });
    }
    for (QCheckBox* c : {w_.CheckKopfzeile, w_.CheckFusszeile})
        c->installEventFilter(this);
    connect(w_.CheckKopfzeile, &QCheckBox::toggled, this, &SidePanel::CheckKopfzeileClick);
    connect(w_.CheckFusszeile, &QCheckBox::toggled, this, &SidePanel::CheckFusszeileClick);
    connect(w_.BtnFormatKopf, &QToolButton::clicked, this, &SidePanel::BtnFormatKopfClick);
    connect(w_.BtnFormatFuss, &QToolButton::clicked, this, &SidePanel::BtnFormatFussClick);
    connect(w_.BtnFormatRand, &QToolButton::clicked, this, &SidePanel::BtnFormatRandClick);
    connect(w_.RadioHgFarbe, &QRadioButton::clicked, this, &SidePanel::BtnHgFarbeClick);
    connect(w_.RadioHgBild, &QRadioButton::clicked, this, &SidePanel::BtnHgBildClick);
    connect(w_.BtnHintergrundfarbe, &QPushButton::clicked, this,
            &SidePanel::BtnHintergrundfarbeClick);
    connect(w_.ComboHgTextur, &QComboBox::activated, this, &SidePanel::ComboHgTexturChange);
    connect(w_.BtnTexturHinzufuegen, &QToolButton::clicked, this,
            &SidePanel::BtnTexturHinzufuegenClick);
}

void SidePanel::redraw() {
    if (bereit()) host_.renderSidePreview(doc_.AktSeite);
}

void SidePanel::record(int nameId) {
    if (host_.recordStep) host_.recordStep(nameId);
}

void SidePanel::commitTyping() {
    if (host_.commitTyping) host_.commitTyping();
}

void SidePanel::ShowSide(int side) {
    if (side < 0 || side >= CoverDocument::SideCount) return;
    // 1. Park the focus: an edit that had it gets its exit first, so the side shown until now
    //    is redrawn with its last text.
    QWidget* focused = QApplication::focusWidget();
    w_.PanelHgVorschau->setFocus(Qt::OtherFocusReason);
    const bool wasEdit =
        focused == w_.EditKopfzeile || focused == w_.EditFusszeile || focused == w_.EditRandtext;
    if (wasEdit && QApplication::focusWidget() == focused)
        EditExit(); // the window is not active, so no focus event came

    // 2.-4. Fill the edits and check boxes from the document.
    host_.setBereit(false);
    doc_.AktSeite = side;
    w_.EditKopfzeile->setText(doc_.KopfText[side]);
    w_.EditFusszeile->setText(doc_.FussText[side]);
    w_.EditRandtext->setText(doc_.RandText);
    w_.CheckKopfzeile->setChecked(doc_.KopfFormat[side].Sichtbar == 1);
    w_.CheckFusszeile->setChecked(doc_.FussFormat[side].Sichtbar == 1);

    // 5.-6. Background.
    selectTexture(doc_.HgFormat[side].Textur);
    if (doc_.HgFormat[side].Art == 1) {
        w_.RadioHgBild->setChecked(true);
        showBackgroundControls(true);
        selectTexture(fileNamePart(doc_.HgFormat[side].Textur));
        ComboHgTexturChange();
    } else {
        w_.RadioHgFarbe->setChecked(true);
        showBackgroundControls(false);
        fillSwatch(doc_.HgFormat[side].Farbe);
    }

    // 7. Navigator and menu.
    if (side < w_.sideButtons.size()) w_.sideButtons[side]->setChecked(true);
    for (int s = 0; s < w_.sideMenuItems.size(); ++s)
        w_.sideMenuItems[s]->setChecked(s == side);

    // 8. Margin text controls by side and case layout.
    const int layout = w_.ComboCoverLayout ? w_.ComboCoverLayout->currentIndex() : -1;
    if (layout >= 0 && layout < 4) {
        const bool visible = kMarginVisible[side][layout];
        w_.LabelRandtext->setVisible(visible);
        w_.EditRandtext->setVisible(visible);
        w_.BtnFormatRand->setVisible(visible);
    }

    // 9. Content kind in the menu.
    w_.MenuVerzeichnis->setChecked(doc_.Inhalt[side] == 1);
    w_.MenuText->setChecked(doc_.Inhalt[side] == 2);
    w_.MenuBild->setChecked(doc_.Inhalt[side] == 3);

    // 10.
    host_.setBereit(true);
    host_.renderSidePreview(side);
}

void SidePanel::EditKopfzeileChange() {
    doc_.KopfText[doc_.AktSeite] = w_.EditKopfzeile->text();
}
void SidePanel::EditFusszeileChange() {
    doc_.FussText[doc_.AktSeite] = w_.EditFusszeile->text();
}
void SidePanel::EditRandtextChange() {
    doc_.RandText = w_.EditRandtext->text();
}

void SidePanel::EditKeyPress(int key) {
    doc_.Geaendert = true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        commitTyping();
        if (bereit()) host_.renderSidePreview(doc_.AktSeite);
    }
}

void SidePanel::EditExit() {
    commitTyping();
    redraw();
}

bool SidePanel::eventFilter(QObject* watched, QEvent* event) {
    const bool isEdit =
        watched == w_.EditKopfzeile || watched == w_.EditFusszeile || watched == w_.EditRandtext;
    if (isEdit) {
        if (event->type() == QEvent::KeyPress) {
            // Typed characters, Enter and Backspace; cursor keys carry no text.
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty()) EditKeyPress(key->key());
        } else if (event->type() == QEvent::FocusOut) {
            EditExit();
        } else if (event->type() == QEvent::ShortcutOverride) {
            // An edit with no typing of its own to take back leaves Ctrl+Z and Ctrl+Shift+Z
            // to the Edit menu, which undoes the document's last step.
            auto* key = static_cast<QKeyEvent*>(event);
            auto* edit = static_cast<QLineEdit*>(watched);
            if ((key->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) ||
                (key->matches(QKeySequence::Redo) && !edit->isRedoAvailable())) {
                event->ignore();
                return true;
            }
        }
    } else if (watched == w_.CheckKopfzeile || watched == w_.CheckFusszeile) {
        // Only the user's own press marks the document; the side switch sets them silently.
        if (event->type() == QEvent::MouseButtonPress ||
            (event->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space))
            doc_.Geaendert = true;
    }
    return QObject::eventFilter(watched, event);
}

void SidePanel::CheckKopfzeileClick() {
    const bool on = w_.CheckKopfzeile->isChecked();
    w_.EditKopfzeile->setVisible(on);
    w_.BtnFormatKopf->setVisible(on);
    doc_.KopfFormat[doc_.AktSeite].Sichtbar = on ? 1 : 0;
    if (bereit()) record(StepKopfzeile); // not the side switch's own setting
    redraw();
}

void SidePanel::CheckFusszeileClick() {
    const bool on = w_.CheckFusszeile->isChecked();
    w_.EditFusszeile->setVisible(on);
    w_.BtnFormatFuss->setVisible(on);
    doc_.FussFormat[doc_.AktSeite].Sichtbar = on ? 1 : 0;
    if (bereit()) record(StepFusszeile);
    redraw();
}

void SidePanel::runFormatDialog(bool footer) {
    const int s = doc_.AktSeite;
    TDlgFormatKopfFuss& dlg = formatKopfFuss_;
    dlg.Beispieltext = footer ? w_.EditFusszeile->text() : w_.EditKopfzeile->text();
    dlg.Seite = quint8(s);
    dlg.CoverLayout = doc_.CoverLayout;
    dlg.Format = footer ? doc_.FussFormat[s] : doc_.KopfFormat[s];
    if (dlg.exec() != 1) return;
    doc_.Geaendert = true;
    (footer ? doc_.FussFormat[s] : doc_.KopfFormat[s]) = dlg.Format;
    record(footer ? StepFussFormat : StepKopfFormat);
    host_.renderSidePreview(s);
}

void SidePanel::BtnFormatKopfClick() {
    runFormatDialog(false);
}
void SidePanel::BtnFormatFussClick() {
    runFormatDialog(true);
}

void SidePanel::BtnFormatRandClick() {
    TDlgFormatRandtext& dlg = formatRandtext_;
    dlg.Format = doc_.RandFormat;
    dlg.Beispieltext = w_.EditRandtext->text();
    dlg.CoverLayout = doc_.CoverLayout;
    if (dlg.exec() != 1) return;
    doc_.RandFormat = dlg.Format;
    doc_.Geaendert = true;
    record(StepRandFormat);
    host_.renderSidePreview(doc_.AktSeite);
}

void SidePanel::showBackgroundControls(bool texture) {
    w_.BtnHintergrundfarbe->setVisible(!texture);
    w_.ComboHgTextur->setVisible(texture);
    w_.BtnTexturHinzufuegen->setVisible(texture);
}

void SidePanel::fillSwatch(qint32 colour) {
    QPixmap swatch(w_.ImgHgVorschau->size());
    swatch.fill(colorFromRef(colour));
    w_.ImgHgVorschau->setPixmap(swatch);
}

void SidePanel::selectTexture(const QString& name) {
    w_.ComboHgTextur->setCurrentIndex(w_.ComboHgTextur->findText(name, Qt::MatchFixedString));
}

void SidePanel::BtnHgFarbeClick() {
    showBackgroundControls(false);
    // A click of the user's marks the document; the side switch sets the radio itself.
    if (bereit()) doc_.Geaendert = true;
    doc_.HgFormat[doc_.AktSeite].Art = 0;
    if (bereit()) record(StepHgFarbe);
    fillSwatch(doc_.HgFormat[doc_.AktSeite].Farbe);
    redraw();
}

void SidePanel::BtnHgBildClick() {
    showBackgroundControls(true);
    doc_.HgFormat[doc_.AktSeite].Art = 1;
    selectTexture(fileNamePart(doc_.HgFormat[doc_.AktSeite].Textur));
    ComboHgTexturChange();
}

void SidePanel::BtnHintergrundfarbeClick() {
    const int s = doc_.AktSeite;
    const std::optional<qint32> colour = dialogs_.chooseColor(doc_.HgFormat[s].Farbe);
    if (!colour) return;
    doc_.Geaendert = true;
    doc_.HgFormat[s].Farbe = *colour;
    record(StepHgFarbe);
    fillSwatch(*colour);
    host_.renderSidePreview(s);
}

void SidePanel::ComboHgTexturChange() {
    const int s = doc_.AktSeite;
    if (bereit()) doc_.Geaendert = true;
    QPixmap swatch(w_.ImgHgVorschau->size());
    swatch.fill(Qt::white);
    doc_.HgFormat[s].Textur = w_.ComboHgTextur->currentText();
    // A texture that cannot be loaded is reported and leaves the side with an empty
    // texture; the side switch that may have called this goes on.
    const bool loaded = runGuarded(dialogs_, [&] { doc_.loadTexture(s); });
    if (bereit()) record(StepHgBild);
    if (loaded) {
        QPainter p(&swatch);
        doc_.HgBild[s].draw(p, swatch.rect());
    }
    w_.ImgHgVorschau->setPixmap(swatch);
    if (loaded) redraw();
}

void SidePanel::FillTextureList() {
    w_.ComboHgTextur->clear();
    w_.ComboHgTextur->addItems(TextureFileNames(texturesDir()));
}

void SidePanel::BtnTexturHinzufuegenClick() {
    FileDialogRequest request = host_.openPictureDialog();
    request.fileName.clear();
    const std::optional<QString> chosen = dialogs_.openFile(request);
    if (!chosen) return;
    // A file the texture list would not show (a name typed by hand) is not copied: it could
    // never be selected as a texture.
    if (!QDir::match(textureMasks(), fileNamePart(*chosen))) {
        showErrorBox(dialogs_, LadeTextArg(StrUnknownPictureKind, *chosen));
        return;
    }
    BusyCursor busy;
    const QString name = fileNamePart(*chosen);
    runGuarded(dialogs_, [&] { CopyPictureFile(*chosen, texturesDir() + name, dialogs_); });
    FillTextureList();
    selectTexture(name);
    ComboHgTexturChange();
}
