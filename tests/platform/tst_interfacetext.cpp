#include "platform/interfacetext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {
// A dialog designed the way the program's windows are: ids where the texts will go.
struct DesignedDialog : QDialog {
    QLabel* label = new QLabel("151", this);
    QPushButton* button = new QPushButton("144", this);
    QToolButton* tool = new QToolButton(this);
    QToolButton* untaggedTool = new QToolButton(this);
    QRadioButton* radio = new QRadioButton("142", this);
    QCheckBox* check = new QCheckBox("152", this);
    QAction* item = new QAction("2", this);
    QAction* menu = new QAction("1", this);
    QGroupBox* group = new QGroupBox("141", this);
    QGroupBox* radioGroup = new QGroupBox("0", this);
    QRadioButton* groupItem1 = new QRadioButton("371", radioGroup);
    QRadioButton* groupItem2 = new QRadioButton("kein Wert", radioGroup);
    QComboBox* list = new QComboBox(this);
    QComboBox* sizes = new QComboBox(this); // no tag: designed items stay
    DesignedDialog() {
        SetTextId(this, 160);
        SetTextId(label, 151);
        SetTextId(button, 144);
        SetTextId(tool, 101);
        tool->setText("&1");
        untaggedTool->setToolTip("bleibt");
        SetTextId(radio, 142);
        SetTextId(check, 152);
        SetTextId(item, 2);
        SetTextId(menu, 1);
        SetTextId(group, 141);
        SetTextId(radioGroup, 30);
        MarkItemList(radioGroup);
        SetTextId(list, 371);
        list->addItems({"372", "374"});
        list->setToolTip("Layout");
        sizes->addItems({"  2 mm", "10 mm"});
    }
};
} // namespace

class TestInterfaceText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hints_data();
    void hints();
    void classRules_data();
    void classRules();
    void registeredWindowsFollowTheLanguage();
};

void TestInterfaceText::hints_data() {
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shortPart");
    QTest::addColumn<QString>("longPart");
    QTest::newRow("tool button") << "Öffnen|"
                                 << "Öffnen"
                                 << "";
    QTest::newRow("both parts") << "Neu|Ein neues Cover"
                                << "Neu"
                                << "Ein neues Cover";
    QTest::newRow("no bar: both") << "Handbuch anzeigen..."
                                  << "Handbuch anzeigen..."
                                  << "Handbuch anzeigen...";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestInterfaceText::hints() {
    QFETCH(QString, hint);
    QFETCH(QString, shortPart);
    QFETCH(QString, longPart);
    QCOMPARE(ShortHint(hint), shortPart);
    QCOMPARE(LongHint(hint), longPart);
}

void TestInterfaceText::classRules_data() {
    QTest::addColumn<int>("offset");
    QTest::newRow("German") << 0;
    QTest::newRow("English") << 1000;
}

void TestInterfaceText::classRules() {
    QFETCH(int, offset);
    const bool de = offset == 0;
    auto tr = [de](const char* g, const char* e) { return QString::fromUtf8(de ? g : e); };
    DesignedDialog d;
    UebersetzeOberflaeche(&d, offset);
    QCOMPARE(d.windowTitle(), tr("Info...", "About..."));
    QCOMPARE(d.label->text(), tr("Randtext", "Border"));
    QCOMPARE(d.button->text(), tr("Hintergrundfarbe...", "Backgroundcolor..."));
    QCOMPARE(d.tool->toolTip(), tr("Öffnen", "Open"));
    QCOMPARE(d.tool->statusTip(), QString());
    QCOMPARE(d.tool->text(), QString("&1"));
    QCOMPARE(d.untaggedTool->toolTip(), QString("bleibt"));
    QCOMPARE(d.radio->text(), tr("-farbe", "-color"));
    QCOMPARE(d.check->text(), tr("Kopfzeile", "Top"));
    QCOMPARE(d.item->text(), tr("&Neu", "&New"));
    QCOMPARE(d.item->statusTip(),
             tr("Ein neues leeres CD-Cover erzeugen", "to create a new CD-Cover"));
    QCOMPARE(d.menu->text(), tr("&Datei", "&File"));
    QCOMPARE(d.menu->statusTip(), QString());
    QCOMPARE(d.group->title(), tr("Hintergrund", "Background"));
    QCOMPARE(d.radioGroup->title(), tr("&Hilfe", "&Help"));
    QCOMPARE(d.groupItem1->text(), tr("CD-Leerbox (normal)", "CD-Case (normal)"));
    QCOMPARE(d.groupItem2->text(), QString("kein Wert")); // not an id: left as designed
    QCOMPARE(d.list->itemText(0), tr("CD-Leerbox (transparent)", "CD-Case (transparent)"));
    QCOMPARE(d.list->itemText(1), tr("CD-Hülle-Bastelbogen", "CD-Paper-Case"));
    QCOMPARE(d.list->toolTip(), QString("Layout"));
    QCOMPARE(d.sizes->itemText(0), QString("  2 mm"));
}

void TestInterfaceText::registeredWindowsFollowTheLanguage() {
    QVERIFY(!InterfaceLanguageApplied());
    DesignedDialog early;
    RegisterTranslatedWindow(&early);
    {
        DesignedDialog gone; // a window that ended before the language was applied
        RegisterTranslatedWindow(&gone);
    }
    QCOMPARE(early.label->text(), QString("151")); // ids until the language is applied
    ApplyInterfaceLanguage(0);
    QVERIFY(InterfaceLanguageApplied());
    QCOMPARE(early.label->text(), QString("Randtext"));
    DesignedDialog late; // created later: translated as it registers
    RegisterTranslatedWindow(&late);
    QCOMPARE(late.list->itemText(0), QString("CD-Leerbox (transparent)"));
    QCOMPARE(late.windowTitle(), QString("Info..."));
    // Applying again leaves windows alone that already carry texts.
    ApplyInterfaceLanguage(0);
    QCOMPARE(early.list->itemText(0), QString("CD-Leerbox (transparent)"));
}

QTEST_MAIN(TestInterfaceText)
#include "tst_interfacetext.moc"
