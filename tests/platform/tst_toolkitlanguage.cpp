#include "platform/qtdialogs.h"
#include "platform/toolkitlanguage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// The real message box: its title and Qt's own button texts in the interface language.
class TestToolkitLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void messageBoxButtonsAndTitle_data();
    void messageBoxButtonsAndTitle();
};

void TestToolkitLanguage::messageBoxButtonsAndTitle_data() {
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QStringList>("buttons");
    QTest::addRow("German") << 49 << QStringList{"&Ja", "&Nein", "Abbrechen"};
    QTest::addRow("English") << 44 << QStringList{"&Yes", "&No", "Cancel"};
}

void TestToolkitLanguage::messageBoxButtonsAndTitle() {
    QFETCH(int, sprache);
    QFETCH(QStringList, buttons);
    QVERIFY(ApplyToolkitLanguage(sprache));
    QtDialogs dialogs;
    dialogs.setTitle(QStringLiteral("Zarvex!"));
    QString title;
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            seen << box->button(b)->text();
        box->button(QMessageBox::No)->click();
    });
    QCOMPARE(dialogs.message(MsgKind::Confirmation, MsgButtons::YesNoCancel, QStringLiteral("?")),
             MsgResult::No);
    QCOMPARE(title, QStringLiteral("Zarvex!"));
    QCOMPARE(seen, buttons);
}

QTEST_MAIN(TestToolkitLanguage)
#include "tst_toolkitlanguage.moc"
