#include "platform/interfacetext.h"
#include "platform/stringtable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
constexpr char kTextId[] = "zarvexTextId";
constexpr char kItemList[] = "zarvexItemList";

QString textFor(int id, int offset) {
    QString s = StringTableEntry(id + offset);
    s.truncate(254);
    return s;
}

// An item whose designed text is not a decimal id stays as it is.
QString itemText(const QString& designed, int offset) {
    bool ok = false;
    const int id = designed.trimmed().toInt(&ok);
    return ok ? textFor(id, offset) : designed;
}

void translate(QObject* o, int offset) {
    const int id = TextId(o);
    if (id == 0) return;
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(textFor(id, offset));
        a->setStatusTip(LongHint(textFor(id + 400, offset)));
    } else if (auto* t = qobject_cast<QToolButton*>(o)) {
        const QString hint = textFor(id, offset);
        t->setToolTip(ShortHint(hint));
        t->setStatusTip(LongHint(hint));
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->setText(textFor(id, offset)); // push buttons, radio buttons, check boxes
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(textFor(id, offset));
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(textFor(id, offset));
        if (g->property(kItemList).toBool())
            for (QRadioButton* r : g->findChildren<QRadioButton*>())
                if (TextId(r) == 0) r->setText(itemText(r->text(), offset));
    } else if (auto* c = qobject_cast<QComboBox*>(o)) {
        for (int i = 0; i < c->count(); ++i)
            c->setItemText(i, itemText(c->itemText(i), offset));
    } else if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow()) {
        w->setWindowTitle(textFor(id, offset));
    }
}

QList<QPointer<QWidget>>& windows() {
    static QList<QPointer<QWidget>> list;
    return list;
}
bool g_applied = false;
int g_offset = 1000;
} // namespace

void SetTextId(QObject* object, int id) {
    object->setProperty(kTextId, id);
}
int TextId(const QObject* object) {
    return object->property(kTextId).toInt();
}
void MarkItemList(QObject* groupBox) {
    groupBox->setProperty(kItemList, true);
}

QString ShortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

namespace {
// The registered window waiting for its own translation that o lies in, if any. A dialog
// made as a child of the main window must not be translated twice: a list item that reads
// "1" after the first pass would be taken for text id 1 in the second.
QWidget* pendingWindowOf(QObject* o, QWidget* root) {
    for (QObject* p = o; p && p != root; p = p->parent())
        if (auto* w = qobject_cast<QWidget*>(p); w && w->isWindow() && windows().contains(w))
            return w;
    return nullptr;
}
} // namespace

void UebersetzeOberflaeche(QWidget* window, int offset) {
    if (!window) return;
    translate(window, offset);
    for (QObject* o : window->findChildren<QObject*>())
        if (!pendingWindowOf(o, window)) translate(o, offset);
}

void RegisterTranslatedWindow(QWidget* window) {
    if (g_applied) {
        UebersetzeOberflaeche(window, g_offset);
        return;
    }
    if (!windows().contains(window)) windows().append(window);
}

void ApplyInterfaceLanguage(int offset) {
    g_offset = offset;
    g_applied = true;
    for (const QPointer<QWidget>& w : std::as_const(windows()))
        if (w) UebersetzeOberflaeche(w, offset);
    windows().clear();
}

bool InterfaceLanguageApplied() {
    return g_applied;
}
