#include "content/picturefilecopy.h"
#include "platform/apperror.h"
#include "platform/stringtable.h"
#include "scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Copying picture and texture files: the overwrite question, new folders, and the cases
// where a careless copy would destroy data.
class TestPictureFileCopy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetLanguageOffset(1000); }
    void copiesIntoNewFolders();
    void asksBeforeOverwriting_data();
    void asksBeforeOverwriting();
    void copyOntoItselfLeavesTheFile_data();
    void copyOntoItselfLeavesTheFile();
    void failedCopyLeavesNoHalfFile();

private:
    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

void TestPictureFileCopy::copiesIntoNewFolders() {
    QTemporaryDir dir;
    const QByteArray content(300000, 'p'); // larger than one read
    write(dir.filePath("src/foto.jpg"), content);
    ScriptedDialogs dialogs;
    const QString dest = dir.filePath("prog/bilder/deep/foto.jpg");
    QCOMPARE(CopyPictureFile(dir.filePath("src/foto.jpg"), dest, dialogs), dest);
    QCOMPARE(read(dest), content);
    QVERIFY(dialogs.asked().isEmpty());
    // Windows separators in the destination work too.
    const QString back =
        QDir::toNativeSeparators(dir.filePath("prog/other/x.jpg")).replace('/', '\\');
    CopyPictureFile(dir.filePath("src/foto.jpg"), back, dialogs);
    QCOMPARE(read(dir.filePath("prog/other/x.jpg")), content);
}

void TestPictureFileCopy::asksBeforeOverwriting_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("OK replaces") << int(MsgResult::Ok) << QByteArray("new");
    QTest::newRow("Cancel keeps") << int(MsgResult::Cancel) << QByteArray("old");
}

void TestPictureFileCopy::asksBeforeOverwriting() {
    QFETCH(int, answer);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    write(dir.filePath("a/Foto.jpg"), "new");
    write(dir.filePath("BILDER/Foto.jpg"), "old");
    ScriptedDialogs dialogs;
    dialogs.answerMessage(MsgResult(answer));
    // The destination is built in lower case; the existing folder is found whatever its case.
    const QString dest =
        CopyPictureFile(dir.filePath("a/Foto.jpg"), dir.filePath("bilder/Foto.jpg"), dialogs);
    QCOMPARE(dest, dir.filePath("BILDER/Foto.jpg"));
    QCOMPARE(read(dest), expected);
    QCOMPARE(dialogs.messages(), QStringList{"FOTO.JPG already exists! Overwrite?"});
    QCOMPARE(dialogs.asked().first().msgKind, MsgKind::Warning);
    QCOMPARE(dialogs.asked().first().buttons, MsgButtons::OkCancel);
    QVERIFY(!QFileInfo::exists(dir.filePath("bilder")));
}

void TestPictureFileCopy::copyOntoItselfLeavesTheFile_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::newRow("same path") << "BILDER/foto.jpg"
                               << "BILDER/foto.jpg";
    QTest::newRow("other letter case") << "BILDER/foto.jpg"
                                       << "bilder/FOTO.JPG";
    QTest::newRow("through a link") << "BILDER/foto.jpg"
                                    << "link/foto.jpg";
}

void TestPictureFileCopy::copyOntoItselfLeavesTheFile() {
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QTemporaryDir dir;
    write(dir.filePath("BILDER/foto.jpg"), "picture bytes");
    QVERIFY(QFile::link(dir.filePath("BILDER"), dir.filePath("link")));
    ScriptedDialogs dialogs; // no question: there is nothing to overwrite
    CopyPictureFile(dir.filePath(source), dir.filePath(destination), dialogs);
    QCOMPARE(read(dir.filePath("BILDER/foto.jpg")), QByteArray("picture bytes"));
    QVERIFY(dialogs.asked().isEmpty());
}

void TestPictureFileCopy::failedCopyLeavesNoHalfFile() {
    QTemporaryDir dir;
    write(dir.filePath("BILDER/foto.jpg"), "old");
    ScriptedDialogs dialogs;
    dialogs.answerMessage(MsgResult::Ok);
    try {
        CopyPictureFile(dir.filePath("gone.jpg"), dir.filePath("BILDER/foto.jpg"), dialogs);
        QFAIL("copied a missing file");
    } catch (const AppError& e) {
        QVERIFY2(e.message().contains("gone.jpg"), qPrintable(e.message()));
    }
    QCOMPARE(read(dir.filePath("BILDER/foto.jpg")), QByteArray("old"));
    QCOMPARE(QDir(dir.filePath("BILDER")).entryList(QDir::Files), QStringList{"foto.jpg"});
    // A folder in the way of the destination's folder cannot be created.
    write(dir.filePath("file"), "x");
    QVERIFY_THROWS_EXCEPTION(AppError, CopyPictureFile(dir.filePath("BILDER/foto.jpg"),
                                                       dir.filePath("file/sub/foto.jpg"), dialogs));
}

QTEST_MAIN(TestPictureFileCopy)
#include "tst_picturefilecopy.moc"
