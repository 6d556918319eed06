#include "content/dialogpreview.h"
#include "directory/directorystrings.h"
#include "directory/diredit.h"
#include "directory/discimage.h"
#include "directory/discimagereader.h"
#include "directory/drivelist.h"
#include "directory/folderlistbox.h"
#include "directory/listingfile.h"
#include "directory/verzeich.h"
#include "discimagemaker.h"
#include "document/coverdocument.h"
#include "platform/stringtable.h"
#include "platform/usersettings.h"
#include "render/recordingdevice.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <unistd.h>

Q_DECLARE_METATYPE(MountedVolume)

namespace {
QStringList locations(const QList<DriveEntry>& entries) {
    QStringList out;
    for (const DriveEntry& e : entries)
        out << e.location;
    return out;
}

QList<DriveEntry> drives(const QString& home) {
    return {DriveEntry{DriveKind::Folder, QStringLiteral("root"), QStringLiteral("/")},
            DriveEntry{DriveKind::Folder, QStringLiteral("home"), home},
            DriveEntry{DriveKind::Folder, QStringLiteral("CD"), QStringLiteral("/nonexistent/cd")}};
}

int rowsFor(VerzeichnisModel& model) {
    RecordingDevice device;
    QPainter canvas(&device);
    model.drawPreview(canvas);
    return model.RowsPerColumn;
}
} // namespace

class TestVerzeichnis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void driveChoice_data();
    void driveChoice();
    void tmpfsUnderMntIsListed();
    void unreadableDriveSays813();
    void positionAtShow_data();
    void positionAtShow();
    void reading_data();
    void reading();
    void openingAndOk_data();
    void openingAndOk();
    void fontSizeChangesRows();
    void dialogButtonsFollowTheListing();
    void discImageEntry_data();
    void discImageEntry();
    void folderListKeys();
    void locationField_data();
    void locationField();
    void completion();
    void rememberedFolderAndSize();
    void droppedFolder(); // and the folder chooser
    void removableHeading();

private:
    TestProgDir prog_;
    QTemporaryDir tree_, locked_;
};

void TestVerzeichnis::initTestCase() {
    SetLanguageOffset(1000);
    QStandardPaths::setTestModeEnabled(true); // remembered folders and sizes go to a test folder
    qputenv("HOME", QFile::encodeName(tree_.path())); // the dialog starts in the home folder
    for (const char* d : {"A/B/C", "D", ".hidden/E", "empty"})
        QVERIFY(QDir().mkpath(tree_.filePath(QLatin1String(d))));
    // A tree with a folder the reading cannot open (the super-user reads it as nobody).
    for (const char* d : {"open/inner", "shut/inside"})
        QVERIFY(QDir().mkpath(locked_.filePath(QLatin1String(d))));
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                     QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(locked_.path(), all));
    QVERIFY(QFile::setPermissions(locked_.filePath("shut"), QFile::WriteOwner));
}

void TestVerzeichnis::init() {
    QFile::remove(UserSettingsFile()); // nothing remembered from an earlier test
}

void TestVerzeichnis::driveChoice_data() {
    using V = QList<MountedVolume>;
    QTest::addColumn<V>("volumes");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("labels");
    const MountedVolume root{"/", "/dev/sda1", "ext4", ""};
    const MountedVolume boot{"/boot", "/dev/sda2", "ext4", ""};
    const MountedVolume runUser{"/run/user/1000", "tmpfs", "tmpfs", ""};
    const MountedVolume stick{"/media/anna/STICK", "/dev/sdb1", "vfat", "STICK"};
    const MountedVolume cd{"/media/anna/AUDIO_CD", "/dev/sr0", "iso9660", "AUDIO_CD"};
    const MountedVolume dvd{"/run/media/anna/DVD", "/dev/sr1", "udf", ""};
    const MountedVolume mnt{"/mnt/backup/", "/dev/sdc1", "ext4", ""};
    QTest::newRow("system mounts left out")
        << V{root, boot, runUser} << QStringList{"/", "/home/anna"}
        << QStringList{"System drive", "Home folder"};
    QTest::newRow("optical discs first, then root, home and media")
        << V{root, stick, mnt, cd, dvd}
        << QStringList{"/media/anna/AUDIO_CD", "/run/media/anna/DVD", "/",
                       "/home/anna",           "/media/anna/STICK",   "/mnt/backup"}
        << QStringList{"AUDIO_CD", "DVD", "System drive", "Home folder", "STICK", "backup"};
}

void TestVerzeichnis::driveChoice() {
    QFETCH(QList<MountedVolume>, volumes);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, labels);
    const QList<DriveEntry> entries = DriveList::build(volumes, QStringLiteral("/home/anna/"));
    QCOMPARE(locations(entries), expected);
    QStringList shown;
    for (const DriveEntry& e : entries)
        shown << e.label;
    QCOMPARE(shown, labels);
    QCOMPARE(entries.first().displayText(), labels.first() + "  (" + expected.first() + ")");
    QCOMPARE(DriveList::entryFor(entries, QStringLiteral("/home/anna/x")),
             expected.indexOf("/home/anna"));
}

void TestVerzeichnis::tmpfsUnderMntIsListed() {
    if (::geteuid() != 0) QSKIP("mounting needs the super-user");
    const QString at =
        QStringLiteral("/mnt/zarvex-test-%1").arg(QCoreApplication::applicationPid());
    QVERIFY(QDir().mkpath(at));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "zarvextest", at}) != 0) {
        QDir().rmdir(at);
        QSKIP("tmpfs cannot be mounted here");
    }
    const QList<DriveEntry> entries = DriveList::current();
    QProcess::execute("umount", {at});
    QDir().rmdir(at);
    QVERIFY2(locations(entries).contains(at), qPrintable(locations(entries).join(", ")));
}

void TestVerzeichnis::unreadableDriveSays813() {
    ScriptedDialogs dialogs;
    VerzeichnisModel model(dialogs);
    model.driveSource = [this] { return drives(tree_.path()); };
    model.prepareShow();
    QCOMPARE(model.DriveIndex, 1); // no disc: the home folder
    dialogs.answerMessage(MsgResult::Ok);
    QVERIFY(!model.DriveComboBoxChange(2));
    QCOMPARE(dialogs.messages(), QStringList{"Found no CD !"});
    QCOMPARE(model.DriveIndex, 1);
    QCOMPARE(model.Folders.directory(), tree_.path());
}

void TestVerzeichnis::positionAtShow_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("label");
    const QString a = tree_.filePath("A");
    QTest::newRow("heading names a folder") << a + "/" << a << a;
    QTest::newRow("heading names no folder")
        << "D:\\MUSIK\\" << QDir::cleanPath(prog_.path()) << "D:\\MUSIK\\";
    QTest::newRow("empty listing") << QString() << tree_.path() << tree_.path() + "/";
}

void TestVerzeichnis::positionAtShow() {
    QFETCH(QString, heading);
    QFETCH(QString, folder);
    QFETCH(QString, label);
    ScriptedDialogs dialogs;
    VerzeichnisModel model(dialogs);
    model.driveSource = [this] { return drives(tree_.path()); };
    if (!heading.isNull()) model.Listing = {heading, " X", ""};
    model.prepareShow();
    QCOMPARE(model.Folders.directory(), folder);
    QCOMPARE(model.StartLabel, label);
    QCOMPARE(model.ListingButtons, !heading.isNull());
    QCOMPARE(DriveList::entryFor({model.Drives[model.DriveIndex]}, folder), 0); // box follows
}

void TestVerzeichnis::reading_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QStringList>("messages");
    const QString before = "BEFORE";
    const QString root = tree_.path() + "/";
    QTest::newRow("folders below the start, hidden ones left out")
        << tree_.path() << false
        << QStringList{root, "A", "", " B", "", "  C", "", "D", "", "empty", ""} << QStringList{};
    QTest::newRow("nothing found: heading only and 814")
        << tree_.filePath("empty") << false << QStringList{tree_.filePath("empty/")}
        << QStringList{"Found no sub-directories in start-path!"};
    QTest::newRow("cancelled: the listing stays")
        << tree_.path() << true << QStringList{before, " kept", "note"} << QStringList{};
    QTest::newRow("an unreadable folder: listed, then named in one message")
        << locked_.path() << false
        << QStringList{locked_.path() + "/", "open", "", " inner", "", "shut", ""}
        << QStringList{"These folders could not be read; their contents are missing from the "
                       "listing:\n" +
                       locked_.filePath("shut/")};
}

void TestVerzeichnis::reading() {
    QFETCH(QString, folder);
    QFETCH(bool, cancel);
    QFETCH(QStringList, listing);
    QFETCH(QStringList, messages);
    ScriptedDialogs dialogs;
    VerzeichnisModel model(dialogs);
    model.driveSource = [this] { return drives(tree_.path()); };
    model.Listing = {"BEFORE", " kept", "note"};
    model.prepareShow();
    QVERIFY(model.DirectoryListBoxChange(folder));
    model.StartLabel = "a loaded listing's heading"; // the reading names what it reads
    model.Format.Tiefe = 2;
    model.ListingButtons = false;
    if (cancel) dialogs.cancelNextProgress();
    if (!messages.isEmpty()) dialogs.answerMessage(MsgResult::Ok);
    const bool asNobody = folder == locked_.path() && ::geteuid() == 0;
    if (asNobody) QVERIFY(::seteuid(65534) == 0);
    const bool read = model.BtnLadenClick();
    if (asNobody) QVERIFY(::seteuid(0) == 0);
    QCOMPARE(read, !cancel);
    QCOMPARE(model.Listing, listing);
    QCOMPARE(dialogs.messages(), messages);
    QCOMPARE(model.ListingButtons, listing.size() >= 2 && !cancel);
    QCOMPARE(dialogs.asked().first().kind, ScriptedDialogs::Kind::Progress);
}

void TestVerzeichnis::openingAndOk_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("comment typed, OK") << true << false;
    QTest::newRow("comment typed, Cancel") << false << false;
    QTest::newRow("listing deleted, OK") << true << true;
}

void TestVerzeichnis::openingAndOk() {
    QFETCH(bool, ok);
    QFETCH(bool, emptied);
    CoverDocument doc;
    doc.resetFields();
    doc.AktSeite = 1;
    doc.Inhalt[1] = 2;
    doc.VerzListe[1] = {"/cd/", "A", "", "B", ""};
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    dlg.Model.driveSource = [this] { return drives(tree_.path()); };
    dlg.Model.Listing = {"left over"};
    const bool result = dlg.Model.BtnVerzeichnisClick(doc, [&] {
        dlg.FormShow();
        if (emptied) {
            dlg.BtnLoeschen->click();
        } else {
            dlg.showEditor = [](TDlgVerzEdit& editor) {
                editor.FormShow();
                editor.Grids[1]->model()->setData(editor.Grids[1]->model()->index(1, 0), "typed");
                editor.PopupBeendenClick();
            };
            dlg.KommentareItems->button(1)->click(); // "2:2"
            dlg.BtnBearbeiten->click();
        }
        dlg.Model.Format.Groesse = 3;
        return ok;
    });
    QCOMPARE(result, ok);
    QCOMPARE(doc.Geaendert, ok);
    QCOMPARE(doc.Inhalt[1], ok ? 1 : 2);
    const DirectoryListing expected = !ok       ? DirectoryListing{"/cd/", "A", "", "B", ""}
                                      : emptied ? DirectoryListing{}
                                                : DirectoryListing{"/cd/", "A", "", "B", "typed"};
    QCOMPARE(doc.VerzListe[1], expected);
    QCOMPARE(doc.VerzFormat[1].Groesse, ok ? 3 : 1);
    QCOMPARE(doc.VerzFormat[1].Kommentare, ok && !emptied ? 1 : 0);
}

void TestVerzeichnis::fontSizeChangesRows() {
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    DirectoryListing listing{"/"};
    for (int i = 0; i < 300; ++i)
        listing << QStringLiteral("E%1").arg(i) << QString();
    dlg.Model.Listing = listing;
    dlg.Model.Format.Groesse = 0;
    const int small = rowsFor(dlg.Model);
    dlg.Model.Format.Groesse = 4;
    const int large = rowsFor(dlg.Model);
    QVERIFY2(small > large && large > 0, qPrintable(QStringLiteral("%1 %2").arg(small).arg(large)));
    dlg.showEditor = [&](TDlgVerzEdit& editor) {
        QCOMPARE(editor.Grids[0]->model()->rowCount(), large);
    };
    dlg.BtnBearbeitenClick();
}

void TestVerzeichnis::dialogButtonsFollowTheListing() {
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    QCOMPARE(dlg.minimumSize(), QSize(504, 471)); // a row below for the audio option and the playing time
    dlg.Model.driveSource = [this] { return drives(tree_.path()); };
    dlg.FormShow();
    QCOMPARE(dlg.LabelStartVerzeichnis->text(), tree_.path() + "/");
    QCOMPARE(dlg.DriveComboBox->count(), 3);
    QVERIFY(!dlg.SaveBtn->isEnabled());
    QCOMPARE(dlg.LabelFilter->text(), QStringLiteral("Filter: folders only"));
    // Walking into a folder of the list moves the label along.
    QListWidget* list = dlg.DirectoryListBox;
    const auto found = list->findItems("A", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    Q_EMIT list->itemActivated(found.first());
    QCOMPARE(dlg.LabelStartVerzeichnis->text(), tree_.filePath("A/"));

    const QString file = prog_.file("VERZEICH/L.VMK");
    SaveListingFile(file, {"/elsewhere/", "X", "c"});
    dialogs.answerOpenFile(file);
    dlg.OpenBtn->click();
    QCOMPARE(dlg.LabelStartVerzeichnis->text(), QStringLiteral("/elsewhere/"));
    QVERIFY(dlg.SaveBtn->isEnabled() && dlg.BtnBearbeiten->isEnabled());
    dlg.BtnLoeschen->click();
    QVERIFY(dlg.Model.Listing.isEmpty());
    QVERIFY(!dlg.SaveBtn->isEnabled() && !dlg.BtnLoeschen->isEnabled());
    QVERIFY(dialogs.allAnswered());
}

void TestVerzeichnis::discImageEntry_data() {
    QTest::addColumn<bool>("image");
    QTest::newRow("an ISO 9660 image: its folders, heading and reading") << true;
    QTest::newRow("a file that is no image: message, nothing changes") << false;
}

void TestVerzeichnis::discImageEntry() {
    QFETCH(bool, image);
    QTemporaryDir tmp;
    const QString root = tmp.filePath("tree");
    makeTree(root, {"MUSIK/", "MUSIK/Jazz/", "MUSIK/Pop/", "Fotos/", "Fotos/2024/"});
    const QString iso = tmp.filePath("disc.iso");
    if (image) {
        makeImage(root, iso, {"-R", "-J"});
    } else {
        QFile f(iso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(64 * 1024, 'x'));
    }
    if (QTest::currentTestFailed()) return;

    ScriptedDialogs dialogs;
    VerzeichnisModel model(dialogs);
    model.driveSource = [&] { return drives(tree_.path()) << model.Images.entries(); };
    model.prepareShow(); // a first opening never lands on the image entry
    QVERIFY(model.DriveIndex != int(model.Drives.size()) - 1);
    model.Listing = {"BEFORE", " kept", "note"};
    model.prepareShow();
    const int before = model.DriveIndex;
    const QString folderBefore = model.Folders.directory();
    const int entry = int(model.Drives.size()) - 1;
    dialogs.answerOpenFile(iso);
    if (!image) {
        dialogs.answerMessage(MsgResult::Ok);
        QVERIFY(!model.DriveComboBoxChange(entry));
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages().first().contains(iso), qPrintable(dialogs.messages().first()));
        QCOMPARE(model.DriveIndex, before);
        QCOMPARE(model.Folders.directory(), folderBefore);
        QCOMPARE(model.Listing, (DirectoryListing{"BEFORE", " kept", "note"}));
        return;
    }
    QVERIFY(model.DriveComboBoxChange(entry));
    QCOMPARE(model.DriveIndex, entry); // the image's own entry, "Disc image…" stays last
    QCOMPARE(model.Drives.size(), entry + 2);
    QCOMPARE(model.Drives.last(), model.Images.pickerEntry());
    QStringList names;
    for (const FolderList::Item& item : model.Folders.items())
        if (!item.onPath) names << item.name;
    QCOMPARE(names, (QStringList{"Fotos", "MUSIK"}));
    QVERIFY(model.DirectoryListBoxChange("/MUSIK"));
    QCOMPARE(model.StartLabel, QString("MYDISC:\\MUSIK\\"));

    model.Format.Tiefe = 2;
    QVERIFY(model.BtnLadenClick());
    DirectoryListing direct;
    DiscImage disc(iso);
    DiscImageReader reader(direct, 2, model.Filter, disc);
    QVERIFY(reader.ReadImageListing("/MUSIK", dialogs));
    QCOMPARE(model.Listing, direct);
    QCOMPARE(model.Listing.first(), QString("MYDISC:\\MUSIK\\"));
    // The open image is chosen again without a file question.
    QVERIFY(model.DriveComboBoxChange(0));
    QVERIFY(model.DriveComboBoxChange(entry));
    QCOMPARE(model.StartLabel, QString("MYDISC:\\"));
    QVERIFY(dialogs.allAnswered());
}

// Keys in the shown dialog's folder list: type-ahead, Return walks in, Backspace goes up,
// and none of them closes the dialog; Return elsewhere still means OK.
void TestVerzeichnis::folderListKeys() {
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    dlg.Model.driveSource = [this] { return drives(tree_.path()); };
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    FolderListBox* list = dlg.DirectoryListBox;
    list->setFocus();
    QTest::keyClicks(list, "em");
    QCOMPARE(list->currentItem()->text(), QStringLiteral("empty"));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(dlg.Model.Folders.directory(), tree_.filePath("empty"));
    QCOMPARE(dlg.LabelStartVerzeichnis->text(), tree_.filePath("empty/"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QTest::keyClick(list, Qt::Key_Backspace);
    QCOMPARE(dlg.Model.Folders.directory(), tree_.path());
    QVERIFY(dlg.isVisible());
    QAbstractButton* layout = dlg.KommentareItems->button(0);
    layout->setFocus();
    QTest::keyClick(layout, Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestVerzeichnis::locationField_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("listing");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("a folder: read at once, Return again is OK")
        << tree_.filePath("A") << QStringList{tree_.filePath("A/"), "B", "", " C", ""}
        << QStringList{};
    QTest::newRow("no such folder: a message, nothing changes")
        << tree_.filePath("nope") << QStringList{"BEFORE", " kept", "note"}
        << QStringList{"There is no folder \"" + tree_.filePath("nope") + "\"."};
}

void TestVerzeichnis::locationField() {
    QFETCH(QString, typed);
    QFETCH(QStringList, listing);
    QFETCH(QStringList, messages);
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    dlg.Model.driveSource = [this] { return drives(tree_.path()); };
    dlg.Model.Listing = {"BEFORE", " kept", "note"};
    dlg.Model.Format.Tiefe = 2;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    const QString folderBefore = dlg.Model.Folders.directory();
    QTest::keyClick(&dlg, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), dlg.EditOrt);
    dlg.EditOrt->setText(typed);
    if (!messages.isEmpty()) dialogs.answerMessage(MsgResult::Ok);
    QTest::keyClick(dlg.EditOrt, Qt::Key_Return);
    QCOMPARE(dlg.Model.Listing, listing);
    QCOMPARE(dialogs.messages(), messages);
    QVERIFY(dlg.isVisible());
    if (!messages.isEmpty()) {
        QCOMPARE(dlg.Model.Folders.directory(), folderBefore);
        return;
    }
    QCOMPARE(dlg.EditOrt->text(), typed);
    QCOMPARE(QApplication::focusWidget(), dlg.OKBtn);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestVerzeichnis::completion() {
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    dlg.Model.driveSource = [this] { return drives(tree_.path()); };
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.EditOrt->clear();
    QTest::keyClicks(dlg.EditOrt, tree_.filePath("em"));
    QCompleter* completer = dlg.EditOrt->completer();
    // The file system model reads folders in the background.
    QTRY_VERIFY([&] {
        completer->setCompletionPrefix(dlg.EditOrt->text());
        return completer->currentCompletion() == tree_.filePath("empty");
    }());
}

void TestVerzeichnis::rememberedFolderAndSize() {
    ScriptedDialogs dialogs;
    {
        TDlgVerzeichnis dlg(dialogs, {"Courier New"});
        dlg.Model.driveSource = [this] { return drives(tree_.path()); };
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.resize(200, 200); // never below the designed size
        QCOMPARE(dlg.size(), QSize(504, 471));
        const int previewWidth = dlg.PaintBoxVorschau->width();
        dlg.resize(600, 520);
        QVERIFY(dlg.PaintBoxVorschau->width() > previewWidth); // the preview takes the room
        QCOMPARE(dlg.DirectoryListBox->height(), 92 + 520 - 471);
        QVERIFY(dlg.Model.DirectoryListBoxChange(tree_.filePath("A")));
        QVERIFY(dlg.Model.BtnLadenClick());
        dlg.done(QDialog::Rejected);
    }
    TDlgVerzeichnis again(dialogs, {"Courier New"});
    QCOMPARE(again.size(), QSize(600, 520));
    again.Model.driveSource = [this] { return drives(tree_.path()); };
    again.FormShow();
    QCOMPARE(again.Model.Folders.directory(), tree_.filePath("A"));
    // A folder that is gone is not offered.
    QSettings(UserSettingsFile(), QSettings::IniFormat)
        .setValue("DirectoryDialog/lastFolder", tree_.filePath("gone"));
    VerzeichnisModel later(dialogs);
    later.driveSource = [this] { return drives(tree_.path()); };
    later.prepareShow();
    QCOMPARE(later.Folders.directory(), tree_.path());
}

void TestVerzeichnis::droppedFolder() {
    ScriptedDialogs dialogs;
    TDlgVerzeichnis dlg(dialogs, {"Courier New"});
    dlg.Model.driveSource = [this] { return drives(tree_.path()); };
    dlg.Model.Format.Tiefe = 0;
    dlg.FormShow();
    for (const QString& dropped : {prog_.file("VERZEICH/none.vmk"), tree_.filePath("A")}) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dropped)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dlg, &enter);
        QCOMPARE(enter.isAccepted(), QFileInfo(dropped).isDir()); // folders only
    }
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(tree_.filePath("A"))});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&dlg, &drop);
    QCOMPARE(dlg.Model.Listing, (DirectoryListing{tree_.filePath("A/"), "B", ""}));
    QCOMPARE(dlg.EditOrt->text(), tree_.filePath("A"));
    // "Choose folder…" goes the same way, through the desktop's folder chooser.
    dialogs.answerFolder(tree_.filePath("A/B"));
    dlg.BtnOrdnerWaehlen->click();
    QCOMPARE(dlg.Model.Listing, (DirectoryListing{tree_.filePath("A/B/"), "C", ""}));
    const auto chooser = std::find_if(dialogs.asked().begin(), dialogs.asked().end(), [](auto& a) {
        return a.kind == ScriptedDialogs::Kind::Folder;
    });
    QVERIFY(chooser != dialogs.asked().end());
    QCOMPARE(chooser->request.directory, tree_.filePath("A")); // it starts where the list is
}

// A medium the desktop mounted is named by its label, as a disc image is.
void TestVerzeichnis::removableHeading() {
    const QList<DriveEntry> built =
        DriveList::build({{"/", "/dev/sda1", "ext4", ""},
                          {"/media/anna/STICK", "/dev/sdb1", "vfat", "STICK"},
                          {"/mnt/backup", "/dev/sdc1", "ext4", ""}},
                         "/home/anna");
    QList<bool> removable;
    for (const DriveEntry& e : built)
        removable << e.removable;
    QCOMPARE(removable, (QList<bool>{false, false, true, false}));

    QTemporaryDir media;
    QVERIFY(QDir().mkpath(media.filePath("MUSIK/ROCK")));
    const auto source = [&] {
        return drives(tree_.path())
               << DriveEntry{DriveKind::Folder, "MYDISC", media.path(), false, true};
    };
    ScriptedDialogs dialogs;
    VerzeichnisModel model(dialogs);
    model.driveSource = source;
    model.prepareShow();
    QVERIFY(model.DriveComboBoxChange(3));
    QVERIFY(model.DirectoryListBoxChange(media.filePath("MUSIK")));
    QCOMPARE(model.StartLabel, QString("MYDISC:\\MUSIK\\"));
    QVERIFY(model.BtnLadenClick());
    QCOMPARE(model.Listing, (DirectoryListing{"MYDISC:\\MUSIK\\", "ROCK", ""}));
    VerzeichnisModel again(dialogs); // the next opening finds the folder on the medium
    again.driveSource = source;
    again.Listing = model.Listing;
    again.prepareShow();
    QCOMPARE(again.Folders.directory(), media.filePath("MUSIK"));
    QCOMPARE(again.StartLabel, QString("MYDISC:\\MUSIK\\"));
    QVERIFY(again.DirectoryListBoxChange(tree_.filePath("A"))); // a fixed folder: its path
    QCOMPARE(again.StartLabel, tree_.filePath("A/"));
}

QTEST_MAIN(TestVerzeichnis)
#include "tst_verzeichnis.moc"
