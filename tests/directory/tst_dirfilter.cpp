#include "directory/filter.h"
#include "platform/interfacetext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestDirFilter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void maskEditableOnlyForFiles();
    void okTakesSettingsCancelKeepsThem_data();
    void okTakesSettingsCancelKeepsThem();
    void textsFollowLanguage();
};

void TestDirFilter::maskEditableOnlyForFiles() {
    TDlgDirFilter dlg;
    QVERIFY(!dlg.EditDateiFilter->isEnabled()); // folders only at the start
    dlg.setFrom({false, QStringLiteral("*.MP3")});
    QVERIFY(dlg.EditDateiFilter->isEnabled());
    QCOMPARE(dlg.EditDateiFilter->text(), QStringLiteral("*.MP3"));
    QTest::mouseClick(dlg.CheckNurVerzeichnisse, Qt::LeftButton, {},
                      QPoint(4, dlg.CheckNurVerzeichnisse->height() / 2));
    QVERIFY(dlg.CheckNurVerzeichnisse->isChecked());
    QVERIFY(!dlg.EditDateiFilter->isEnabled());
    dlg.CheckNurVerzeichnisse->click();
    QVERIFY(dlg.EditDateiFilter->isEnabled());
}

void TestDirFilter::okTakesSettingsCancelKeepsThem_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("typed");
    QTest::newRow("ok") << true << "*.TXT";
    QTest::newRow("ok with empty mask") << true << "";
    QTest::newRow("cancel") << false << "*.TXT";
}

void TestDirFilter::okTakesSettingsCancelKeepsThem() {
    QFETCH(bool, ok);
    QFETCH(QString, typed);
    TDlgDirFilter dlg;
    DirFilterSettings settings;
    QTimer::singleShot(0, &dlg, [&] {
        QVERIFY(!dlg.EditDateiFilter->isEnabled());
        dlg.CheckNurVerzeichnisse->click();
        dlg.EditDateiFilter->setText(typed);
        (ok ? dlg.OKBtn : dlg.CancelBtn)->click();
    });
    QCOMPARE(dlg.BtnDirFilterClick(settings), ok);
    QCOMPARE(settings.OnlyDirectories, !ok);
    QCOMPARE(settings.FileMask, ok ? typed : QStringLiteral("*.*"));
}

void TestDirFilter::textsFollowLanguage() {
    TDlgDirFilter dlg;
    UebersetzeOberflaeche(&dlg, 0);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Filter..."));
    QCOMPARE(dlg.CheckNurVerzeichnisse->text(), QStringLiteral("nur Verzeichnisse"));
    QCOMPARE(dlg.OKBtn->text(), QStringLiteral("OK"));
    QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("Abbrechen"));
    UebersetzeOberflaeche(&dlg, 1000);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Filter..."));
    QCOMPARE(dlg.CheckNurVerzeichnisse->text(), QStringLiteral("only directories"));
    QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("Cancel"));
}

QTEST_MAIN(TestDirFilter)
#include "tst_dirfilter.moc"
