#include "app/sdimain.h"
#include "content/text.h"
#include "render/previewbox.h"
#include "scripteddialogs.h"
#include "testprogdir.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using Type = Recording::Element::Type;

// The main window shows the current side in its preview and follows zoom, side and layout.
class TestMainPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsSideAndFollowsCommands();
    void textCommandMakesTextSide();
};

void TestMainPreview::showsSideAndFollowsCommands() {
    TestProgDir progDir;
    ScriptedDialogs dialogs;
    TSDIAppForm form(dialogs);
    form.AskLanguage = [] { return 49; };
    dialogs.answerMessage(MsgResult::Ok); // no settings: the template "ERROR" is reported
    form.FormShow();
    QVERIFY(form.Vorschau);
    QCOMPARE(form.ScrBoxSeitenVorschau->widget(), static_cast<QWidget*>(form.Vorschau));
    const Recording& side0 = form.Vorschau->preview().Vorschaubild();
    QCOMPARE(side0.elements(Type::Polyline).value(0).points.boundingRect(),
             QRect(0, 0, 1201, 1201));

    // Zoom: enabled states follow, the box grows with the drawing.
    QVERIFY(form.BtnZoomIn->isEnabled());
    QVERIFY(!form.BtnZoomOut->isEnabled());
    form.BtnZoomIn->click();
    form.MenuZoomIn->trigger();
    QCOMPARE(form.Zoom, 2.0);
    QVERIFY(!form.BtnZoomIn->isEnabled() && !form.MenuZoomIn->isEnabled());
    QVERIFY(form.MenuAnsichtStandard->isEnabled());

    // Side buttons switch the side.
    form.BtnSeiteDrei->click();
    QCOMPARE(form.document().AktSeite, 2);
    QCOMPARE(form.Vorschau->preview()
                 .Vorschaubild()
                 .elements(Type::Polyline)
                 .value(0)
                 .points.boundingRect(),
             QRect(0, 0, 1501, 1171));

    // The maxi-CD layout: two sides, back to side 0, the box reaches the whole drawing.
    form.ComboCoverLayout->setCurrentIndex(2);
    QCOMPARE(form.document().CoverLayout, quint8(2));
    QCOMPARE(form.document().AktSeite, 0);
    QVERIFY(form.BtnSeiteDrei->isHidden());
    QVERIFY(!form.MenuRueckAussen->isEnabled());
    QVERIFY(form.Vorschau->width() >= 10 + 2 * 2 * 167);

    form.MenuAnsichtStandard->trigger();
    QCOMPARE(form.Zoom, 1.0);
    QVERIFY(!form.BtnZoomOut->isEnabled() && !form.MenuAnsichtStandard->isEnabled());
    QCOMPARE(form.Vorschau->size(), QSize(640, 640));
    QCOMPARE(dialogs.messages().size(), 1);
}

// Edit > Text... and the text button open the text dialog; OK shows the text in the preview.
void TestMainPreview::textCommandMakesTextSide() {
    TestProgDir progDir;
    ScriptedDialogs dialogs;
    TSDIAppForm form(dialogs);
    form.AskLanguage = [] { return 49; };
    dialogs.answerMessage(MsgResult::Ok); // no settings: the template "ERROR" is reported
    form.FormShow();
    QVERIFY(form.BtnText->isEnabled() && form.MenuText->isEnabled());
    QTimer::singleShot(0, [&] { form.DlgText->CancelBtn->click(); });
    form.MenuText->trigger();
    QVERIFY(!form.MenuText->isChecked());
    QVERIFY(!form.document().Geaendert);
    QTimer::singleShot(0, [&] {
        form.DlgText->Text = QStringLiteral("Hello");
        form.DlgText->OKBtn->click();
    });
    form.BtnText->click();
    QCOMPARE(int(form.document().Inhalt[0]), 2);
    QVERIFY(form.MenuText->isChecked() && form.document().Geaendert);
    const auto texts = form.Vorschau->preview().Vorschaubild().elements(Type::Text);
    QVERIFY(std::any_of(texts.begin(), texts.end(),
                        [](const Recording::Element& e) { return e.text == "Hello"; }));
}

QTEST_MAIN(TestMainPreview)
#include "tst_mainpreview.moc"
