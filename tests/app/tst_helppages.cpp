#include "platform/helptarget.h"
#include "platform/paths.h"
#include "platform/stringtable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocumentFragment>
#include <QUrl>

// Every page the Help menu, the Help buttons and the About box open exists in both languages
// in the staged program directory, and every link and picture of the help pages leads to
// something that is there (a page, an anchor in it, a picture made by the build). Every control
// name a page quotes (<b class="ui">) is a text the window shows in the page's language.
class TestHelpPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetProgDir(QStringLiteral(ZARVEX_STAGE_DIR)); }
    void targetsExist_data();
    void targetsExist();
    void linksResolve_data();
    void linksResolve();
    void quotedControlNamesAreTexts_data() { linksResolve_data(); }
    void quotedControlNamesAreTexts();
};

namespace {
// A control's name as a page quotes it: without the accelerator mark, the hint's long part,
// the dots of "opens a window" and a trailing colon.
QString plainName(QString text) {
    static const QRegularExpression accelerator(QStringLiteral("&(?!&)"));
    static const QRegularExpression tail(QStringLiteral("(\\.\\.\\.|\u2026|:)$"));
    text.remove(accelerator);
    return text.section(QLatin1Char('|'), 0, 0).simplified().remove(tail).trimmed();
}
} // namespace

void TestHelpPages::targetsExist_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("sprache");
    const std::pair<const char*, HelpTarget> targets[] = {{"faq", HelpTarget::Faq},
                                                          {"manual", HelpTarget::Manual},
                                                          {"workshops", HelpTarget::Workshops},
                                                          {"feedback", HelpTarget::Feedback},
                                                          {"contact", HelpTarget::Contact}};
    for (const auto& [name, target] : targets)
        for (const int sprache : {44, 49})
            QTest::addRow("%s %d", name, sprache) << int(target) << sprache;
}

void TestHelpPages::targetsExist() {
    QFETCH(int, target);
    QFETCH(int, sprache);
    const QString page = HelpTargetLocation(HelpTarget(target), sprache);
    QVERIFY2(QFileInfo(page).isFile(), qPrintable(page));
    QVERIFY(page.contains(QLatin1String("/de/")) == (sprache == 49));
}

void TestHelpPages::linksResolve_data() {
    QTest::addColumn<QString>("page");
    const QDir help(ProgSubDir(QStringLiteral("hilfe")));
    for (const QString& dir : {QString(), QStringLiteral("de/")})
        for (const QString& name : QDir(help.filePath(dir)).entryList({QStringLiteral("*.htm")}))
            QTest::newRow(qPrintable(dir + name)) << help.filePath(dir + name);
}

void TestHelpPages::linksResolve() {
    QFETCH(QString, page);
    QFile f(page);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    static const QRegularExpression ref(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    int pictures = 0;
    for (const QRegularExpressionMatch& m : ref.globalMatch(html)) {
        const QUrl url(m.captured(1));
        if (!url.scheme().isEmpty()) continue; // web and mail addresses
        const QString target =
            url.path().isEmpty() ? page : QFileInfo(page).dir().filePath(url.path());
        QVERIFY2(QFileInfo(target).isFile(), qPrintable(m.captured(1)));
        if (target.endsWith(QLatin1String(".png"))) ++pictures;
        if (url.hasFragment()) {
            QFile t(target);
            QVERIFY(t.open(QIODevice::ReadOnly));
            QVERIFY2(t.readAll().contains("id=\"" + url.fragment().toUtf8() + '"'),
                     qPrintable(m.captured(1)));
        }
    }
    // A page and its other-language edition show the same pictures.
    const bool german = page.contains(QLatin1String("/de/"));
    const QString other =
        german ? QString(page).replace(QLatin1String("/de/"), QLatin1String("/"))
               : QFileInfo(page).dir().filePath(QStringLiteral("de/") + QFileInfo(page).fileName());
    QVERIFY2(QFileInfo(other).isFile(), qPrintable(other));
    QFile o(other);
    QVERIFY(o.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(o.readAll()).count(QLatin1String("<img ")), pictures);
}

void TestHelpPages::quotedControlNamesAreTexts() {
    QFETCH(QString, page);
    const int offset = page.contains(QLatin1String("/de/")) ? 0 : 1000;
    QSet<QString> texts;
    for (int id = 1; id < 1000; ++id)
        texts.insert(plainName(StringTableEntry(id + offset)));
    QFile f(page);
    QVERIFY(f.open(QIODevice::ReadOnly));
    static const QRegularExpression quoted(QStringLiteral(R"re(<b class="ui">(.*?)</b>)re"),
                                           QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch& m : quoted.globalMatch(QString::fromUtf8(f.readAll()))) {
        const QString name =
            plainName(QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText());
        QVERIFY2(texts.contains(name),
                 qPrintable(QStringLiteral("\"%1\" is no text of the window").arg(name)));
    }
}

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
