#include "document/coverfile.h"
#include "document/coverwriter.h"
#include "document/documentcommands.h"
#include "document/documentview.h"
#include "platform/paths.h"
#include "platform/stringtable.h"
#include "platform/textcodec.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QFile>
#include <QTest>
#include <string_view>

namespace {
class RecordingView : public DocumentView {
public:
    explicit RecordingView(const CoverDocument& doc) : doc_(doc) {}
    void MenuVorderAussenClick() override { ++sideZeroShown; }
    void UpdateCaption() override {
        caption = CaptionFor(doc_.DateiName, QStringLiteral("Zarvex!"));
    }
    void selectLayout(int index) override { selected = index; }
    void showSidesInUse(const std::array<bool, 4>& inUse) override { sides = inUse; }

    int sideZeroShown = 0;
    QString caption;
    int selected = -2;
    std::array<bool, 4> sides{};

private:
    const CoverDocument& doc_;
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Everything a failed command must leave as it was.
struct Snapshot {
    QStringList lines;
    QString name;
    bool modified;
    int side;
    bool operator==(const Snapshot&) const = default;
};
Snapshot snapshot(const CoverDocument& d) {
    return {CoverWriter::WriteCover(d), d.DateiName, d.Geaendert, d.AktSeite};
}

// A program directory with a template (layout 2, a header text) and the commands on it.
struct Session {
    TestProgDir dir;
    CoverDocument doc;
    ScriptedDialogs dialogs;
    RecordingView view{doc};
    DocumentCommands commands{doc, dialogs, view};

    Session() {
        CoverDocument t;
        t.reset();
        t.KopfText[0] = QStringLiteral("Vorlage");
        t.CoverLayout = 2;
        CoverFile::save(dir.file(QStringLiteral("ZVX/vorlage.zvx")), t);
        commands.setVorlage(QStringLiteral("ZVX/vorlage.zvx"));
        commands.startUp();
    }
    QString zvx(const QString& name) const { return dir.file(QStringLiteral("ZVX/") + name); }
    // An own file with a text on side 3, opened.
    void openOwnFile(const QString& name) {
        CoverDocument d;
        d.reset();
        d.KopfText[3] = QStringLiteral("eigene Datei");
        d.CoverLayout = 1;
        CoverFile::save(zvx(name), d);
        QVERIFY(commands.openFile(zvx(name)));
    }
};
} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SetLanguageOffset(1000); }
    void startUpLoadsTemplate();
    void startUpWithoutTemplateShowsResetDocument();
    void shippedTemplateReads();
    void saveAfterNewNeverOverwritesTemplate();
    void saveOnOwnFileWritesInPlaceWithBackup();
    void noThenCancelledOpenKeepsChangedDocument();
    void cancelledSaveAsKeepsModified();
    void cancelOnOverwriteWritesNothing();
    void yesOnAskSaveOffersOwnFile();
    void layoutChangeHidesSidesButKeepsTheirData();
    void olderFormsLeaveLayoutAlone();
    void layoutOutsideRangeSelectsNothing();
    void damagedFileKeepsOpenDocument_data();
    void damagedFileKeepsOpenDocument();
    void failedSaveKeepsNameFlagAndFile_data();
    void failedSaveKeepsNameFlagAndFile();
};

void TestDocumentCommands::startUpLoadsTemplate() {
    Session s;
    QCOMPARE(s.doc.DateiName, s.commands.templatePath());
    QCOMPARE(s.doc.KopfText[0], QStringLiteral("Vorlage"));
    QCOMPARE(int(s.doc.CoverLayout), 2);
    QCOMPARE(s.view.selected, 2);
    QCOMPARE(s.view.sides, (std::array<bool, 4>{true, true, false, false}));
    QCOMPARE(s.view.caption, QStringLiteral("VORLAGE.ZVX  -  Zarvex!"));
    QVERIFY(s.view.sideZeroShown >= 1);
    QVERIFY(!s.doc.Geaendert);
    QVERIFY(s.dialogs.asked().isEmpty());
}

void TestDocumentCommands::startUpWithoutTemplateShowsResetDocument() {
    TestProgDir dir;
    CoverDocument doc;
    ScriptedDialogs dialogs;
    RecordingView view(doc);
    DocumentCommands commands(doc, dialogs, view);
    dialogs.answerMessage(MsgResult::Ok);
    commands.startUp(); // "vorlage" left at its default "ERROR"
    QCOMPARE(dialogs.asked().first().msgKind, MsgKind::Error);
    QVERIFY(dialogs.messages().first().contains(QStringLiteral("ERROR")));
    QCOMPARE(doc.DateiName, CoverDocument::UntitledName);
    QCOMPARE(view.caption, QStringLiteral("KEINNAME.ZVX  -  Zarvex!"));
    QCOMPARE(view.sideZeroShown, 1);
    QVERIFY(!doc.HgBild[0].isNull());
}

void TestDocumentCommands::shippedTemplateReads() {
    TestProgDir dir;
    CoverDocument doc;
    ScriptedDialogs dialogs;
    RecordingView view(doc);
    DocumentCommands commands(doc, dialogs, view);
    commands.setVorlage(QStringLiteral("ZVX/vorlage.zvx"));
    commands.startUp();
    QVERIFY(dialogs.asked().isEmpty());
    QCOMPARE(doc.DateiName, dir.file(QStringLiteral("ZVX/vorlage.zvx")));
}

void TestDocumentCommands::saveAfterNewNeverOverwritesTemplate() {
    Session s;
    const QByteArray before = fileBytes(s.commands.templatePath());
    s.doc.Geaendert = true;
    // Choosing the template itself: asked 804, then the dialog comes back empty.
    s.dialogs.answerSaveFile(s.commands.templatePath())
        .answerMessage(MsgResult::Ok)
        .answerSaveFile(std::nullopt);
    QVERIFY(!s.commands.SaveBtnClick());
    const auto& asked = s.dialogs.asked();
    QCOMPARE(asked.size(), 3);
    for (int i : {0, 2}) {
        QCOMPARE(asked[i].request.directory, ProgSubDir(QStringLiteral("ZVX")));
        QCOMPARE(asked[i].request.fileName, QString());
        QCOMPARE(asked[i].request.filter, QStringLiteral("CD-Cover (ZVX)|*.ZVX"));
        QCOMPARE(asked[i].request.defaultSuffix, QStringLiteral("zvx"));
    }
    QCOMPARE(asked[1].text, QStringLiteral("VORLAGE.ZVX ") + LadeText(804));
    QCOMPARE(fileBytes(s.commands.templatePath()), before);
    QVERIFY(s.doc.Geaendert);
    QCOMPARE(s.doc.DateiName, s.commands.templatePath());
}

void TestDocumentCommands::saveOnOwnFileWritesInPlaceWithBackup() {
    Session s;
    s.openOwnFile(QStringLiteral("own.zvx"));
    const QByteArray before = fileBytes(s.zvx(QStringLiteral("own.zvx")));
    s.doc.KopfText[0] = QStringLiteral("geändert");
    s.doc.Geaendert = true;
    QVERIFY(s.commands.SaveBtnClick());
    QVERIFY(s.dialogs.asked().isEmpty());
    QVERIFY(!s.doc.Geaendert);
    QCOMPARE(fileBytes(s.zvx(QStringLiteral("own.bak"))), before);
    QVERIFY(fileBytes(s.zvx(QStringLiteral("own.zvx"))).contains("ge\xE4ndert"));
}

void TestDocumentCommands::noThenCancelledOpenKeepsChangedDocument() {
    Session s;
    s.doc.KopfText[1] = QStringLiteral("ungespeichert");
    s.doc.Geaendert = true;
    const Snapshot before = snapshot(s.doc);
    s.dialogs.answerMessage(MsgResult::No).answerOpenFile(std::nullopt);
    s.commands.OpenItemClick();
    QCOMPARE(s.dialogs.asked()[1].request.directory, ProgSubDir(QStringLiteral("ZVX")));
    QVERIFY(snapshot(s.doc) == before);
    s.dialogs.answerMessage(MsgResult::Cancel);
    QVERIFY(!s.commands.FormCloseQuery());
    QCOMPARE(s.dialogs.messages().last(), LadeText(801));
    QCOMPARE(s.dialogs.asked().last().buttons, MsgButtons::YesNoCancel);
}

void TestDocumentCommands::cancelledSaveAsKeepsModified() {
    Session s;
    s.doc.DateiName = CoverDocument::UntitledName;
    s.doc.Geaendert = true;
    s.dialogs.answerSaveFile(std::nullopt);
    QVERIFY(!s.commands.SaveBtnClick());
    QVERIFY(s.doc.Geaendert);
    // Yes on the save question followed by a cancelled dialog stops the command too.
    s.dialogs.answerMessage(MsgResult::Yes).answerSaveFile(std::nullopt);
    QVERIFY(!s.commands.FormCloseQuery());
}

void TestDocumentCommands::cancelOnOverwriteWritesNothing() {
    Session s;
    writeBytes(s.zvx(QStringLiteral("test.zvx")), "keep me");
    s.doc.Geaendert = true;
    s.dialogs.answerSaveFile(s.zvx(QStringLiteral("test.zvx"))).answerMessage(MsgResult::Cancel);
    QVERIFY(!s.commands.Speichernunter1Click());
    QCOMPARE(s.dialogs.messages().last(), QStringLiteral("TEST.ZVX already exists! Overwrite?"));
    QCOMPARE(s.dialogs.asked().last().buttons, MsgButtons::OkCancel);
    QCOMPARE(fileBytes(s.zvx(QStringLiteral("test.zvx"))), QByteArray("keep me"));
    QVERIFY(!QFile::exists(s.zvx(QStringLiteral("test.bak"))));
    QVERIFY(s.doc.Geaendert);
}

void TestDocumentCommands::yesOnAskSaveOffersOwnFile() {
    Session s;
    s.openOwnFile(QStringLiteral("own.zvx"));
    s.doc.Geaendert = true;
    const QString own = s.zvx(QStringLiteral("own.zvx"));
    s.dialogs.answerMessage(MsgResult::Yes).answerSaveFile(own).answerMessage(MsgResult::Ok);
    s.commands.Neu1Click();
    const auto& asked = s.dialogs.asked();
    QCOMPARE(asked[1].request.fileName, QStringLiteral("own.zvx"));
    QCOMPARE(asked[1].request.directory, directoryPart(own));
    QVERIFY(QFile::exists(s.zvx(QStringLiteral("own.bak"))));
    // New went on and loaded the template.
    QCOMPARE(s.doc.DateiName, s.commands.templatePath());
    QCOMPARE(s.doc.KopfText[3], QString());
}

void TestDocumentCommands::layoutChangeHidesSidesButKeepsTheirData() {
    Session s;
    s.openOwnFile(QStringLiteral("own.zvx"));
    QCOMPARE(s.view.sides, (std::array<bool, 4>{true, true, true, true}));
    const int shown = s.view.sideZeroShown;
    s.commands.ComboCoverLayoutChange(2);
    QCOMPARE(s.view.sides, (std::array<bool, 4>{true, true, false, false}));
    QCOMPARE(s.view.sideZeroShown, shown + 1);
    QVERIFY(!s.doc.Geaendert);
    QVERIFY(s.commands.SaveBtnClick());
    QVERIFY(fileBytes(s.zvx(QStringLiteral("own.zvx"))).contains("eigene Datei"));
    QVERIFY(fileBytes(s.zvx(QStringLiteral("own.zvx"))).endsWith("\r\n2\r\n"));
    s.commands.ComboCoverLayoutChange(0);
    QCOMPARE(s.view.sides, (std::array<bool, 4>{true, true, true, false}));
}

void TestDocumentCommands::olderFormsLeaveLayoutAlone() {
    Session s;
    s.commands.ComboCoverLayoutChange(3);
    s.view.selected = -2;
    for (const char* name : {"cover_v12.zvx", "cover_old.zvx"}) {
        // The version 1.2 file names a picture that is not there.
        if (name == std::string_view("cover_v12.zvx")) s.dialogs.answerMessage(MsgResult::Ok);
        QVERIFY(s.commands.openFile(fixturePath(QLatin1String(name))));
        QCOMPARE(int(s.doc.CoverLayout), 3);
        QCOMPARE(s.view.selected, -2);
        QCOMPARE(s.doc.DateiName, fixturePath(QLatin1String(name)));
    }
}

void TestDocumentCommands::layoutOutsideRangeSelectsNothing() {
    Session s;
    QStringList lines = CoverWriter::WriteCover(s.doc);
    lines.last() = QStringLiteral("7");
    writeBytes(s.zvx(QStringLiteral("l7.zvx")), encodeLines(lines));
    s.view.sides = {};
    QVERIFY(s.commands.openFile(s.zvx(QStringLiteral("l7.zvx"))));
    QCOMPARE(s.view.selected, -1);
    QCOMPARE(int(s.doc.CoverLayout), 2);
    QCOMPARE(s.view.sides, (std::array<bool, 4>{})); // untouched
}

void TestDocumentCommands::damagedFileKeepsOpenDocument_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated") << "truncate";
    QTest::newRow("junk number") << "junk";
}

// For every truncation point and every number line of a fixture: one message naming the
// file and the line, and the open document exactly as it was.
void TestDocumentCommands::damagedFileKeepsOpenDocument() {
    QFETCH(QString, damage);
    Session s;
    s.openOwnFile(QStringLiteral("own.zvx"));
    s.doc.AktSeite = 2;
    s.doc.Geaendert = true;
    const Snapshot before = snapshot(s.doc);
    const QString caption = s.view.caption;
    const QString bad = s.zvx(QStringLiteral("bad.zvx"));
    const QStringList lines =
        splitLines(decodeText(fixtureBytes(QStringLiteral("cover_v20_all.zvx"))));
    int checked = 0;
    for (int i = 1; i < lines.size(); ++i) {
        QStringList damaged = lines;
        if (damage == QLatin1String("truncate")) {
            damaged = lines.first(i);
        } else {
            bool isNumber = false;
            lines[i].toInt(&isNumber);
            if (!isNumber) continue;
            damaged[i] = QStringLiteral("x");
        }
        writeBytes(bad, encodeLines(damaged));
        s.dialogs.answerMessage(MsgResult::Ok);
        QVERIFY(!s.commands.openFile(bad));
        const QString msg = s.dialogs.messages().last();
        QVERIFY2(msg.contains(bad) && msg.contains(QStringLiteral("Line ")), qPrintable(msg));
        QVERIFY2(snapshot(s.doc) == before, qPrintable(QString::number(i)));
        QCOMPARE(s.view.caption, caption);
        ++checked;
    }
    QVERIFY(checked > 60);
}

void TestDocumentCommands::failedSaveKeepsNameFlagAndFile_data() {
    QTest::addColumn<int>("step");
    QTest::newRow("write") << int(CoverFile::SaveStep::WriteTemp);
    QTest::newRow("backup") << int(CoverFile::SaveStep::Backup);
    QTest::newRow("replace") << int(CoverFile::SaveStep::Replace);
}

void TestDocumentCommands::failedSaveKeepsNameFlagAndFile() {
    QFETCH(int, step);
    Session s;
    s.openOwnFile(QStringLiteral("own.zvx"));
    const QString own = s.zvx(QStringLiteral("own.zvx"));
    const QByteArray before = fileBytes(own);
    s.doc.Geaendert = true;
    CoverFile::setFaultHook([step](CoverFile::SaveStep at) {
        return int(at) == step ? QStringLiteral("no space left") : QString();
    });
    s.dialogs.answerMessage(MsgResult::Ok);
    const bool saved = s.commands.SaveBtnClick();
    // Save as over another file fails the same way and keeps the old name.
    writeBytes(s.zvx(QStringLiteral("other.zvx")), "other");
    s.dialogs.answerSaveFile(s.zvx(QStringLiteral("other.zvx")))
        .answerMessage(MsgResult::Ok)
        .answerMessage(MsgResult::Ok);
    const bool savedAs = s.commands.Speichernunter1Click();
    CoverFile::setFaultHook({});
    QVERIFY(!saved && !savedAs);
    QCOMPARE(s.dialogs.asked().first().msgKind, MsgKind::Error);
    QVERIFY(s.dialogs.messages().first().contains(own));
    QVERIFY(s.dialogs.messages().first().contains(QStringLiteral("no space left")));
    QVERIFY(s.doc.Geaendert);
    QCOMPARE(s.doc.DateiName, own);
    QCOMPARE(fileBytes(own), before);
    QCOMPARE(fileBytes(s.zvx(QStringLiteral("other.zvx"))), QByteArray("other"));
    QVERIFY(s.dialogs.allAnswered());
}

QTEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
