#include "platform/qtdialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The file dialogs as the user fills them in: a filter chosen, a name typed, OK.
class TestFileDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedNames_data();
    void typedNames();
};

void TestFileDialog::typedNames_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("save, first filter") << true << 0 << "liste1"
                                        << "liste1.VMK";
    QTest::newRow("save, text filter") << true << 1 << "liste2"
                                       << "liste2.TXT";
    QTest::newRow("save, web page filter") << true << 2 << "liste3"
                                           << "liste3.HTM";
    QTest::newRow("save, own extension kept") << true << 1 << "liste4.vmk"
                                              << "liste4.vmk";
    QTest::newRow("open, file without extension") << false << 0 << "noext"
                                                  << "noext";
    QTest::newRow("open, extension added when missing") << false << 0 << "da"
                                                        << "da.VMK";
    QTest::newRow("open, typed with extension") << false << 0 << "da.VMK"
                                                << "da.VMK";
}

void TestFileDialog::typedNames() {
    QFETCH(bool, save);
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QTemporaryDir dir;
    for (const char* name : {"noext", "da.VMK"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    FileDialogRequest request;
    request.filter =
        QStringLiteral("Directory (VMK)|*.VMK|Text (TXT)|*.TXT|HTML-Format (HTM)|*.HTM");
    request.directory = dir.path();
    request.defaultSuffix = QStringLiteral("VMK");

    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        dlg->selectNameFilter(dlg->nameFilters().value(filter));
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(typed);
        answered = true;
        // A name the dialog refuses is told in a message box: it is closed, and so is the
        // dialog, so the row fails instead of waiting.
        QTimer::singleShot(100, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->reject();
        });
        static_cast<QDialog*>(dlg)->accept(); // OK
        if (dlg->isVisible()) dlg->reject();
    });
    QtDialogs dialogs;
    const std::optional<QString> chosen =
        save ? dialogs.saveFile(request) : dialogs.openFile(request);
    QVERIFY(answered);
    QCOMPARE(chosen.value_or(QStringLiteral("<cancelled>")), dir.filePath(result));
}

QTEST_MAIN(TestFileDialog)
#include "tst_filedialog.moc"
