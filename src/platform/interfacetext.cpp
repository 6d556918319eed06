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
constexpr char kItemId[] = "zarvexItemId";        // designed id of a radio group item
constexpr int kItemIdRole = Qt::UserRole + 0x5A7; // designed id of a list item

QString textFor(int id, int offset) {
    QString s = StringTableEntry(id + offset);
    s.truncate(254);
    return s;
}

// The designed id of an item: remembered from the first translation, so the language can
// be applied again; 0 for an item whose designed text is not a decimal id (it stays as is).
int itemId(const QVariant& remembered, const QString& designed) {
    if (remembered.isValid()) return remembered.toInt();
    bool ok = false;
    const int id = designed.trimmed().toInt(&ok);
    return ok ? id : 0;
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
            for (QRadioButton* r : g->findChildren<QRadioButton*>()) {
                if (TextId(r) != 0) continue;
                const int item = itemId(r->property(kItemId), r->text());
                r->setProperty(kItemId, item);
                if (item) r->setText(textFor(item, offset));
            }
    } else if (auto* c = qobject_cast<QComboBox*>(o)) {
        for (int i = 0; i < c->count(); ++i) {
            const int item = itemId(c->itemData(i, kItemIdRole), c->itemText(i));
            c->setItemData(i, item, kItemIdRole);
            if (item) c->setItemText(i, textFor(item, offset));
        }
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
// The registered window that o lies in, if any: it is translated by its own pass, so a
// dialog made as a child of the main window is not translated twice in one go.
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
    windows().removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    if (!windows().contains(window)) windows().append(window);
    if (g_applied) UebersetzeOberflaeche(window, g_offset);
}

void ApplyInterfaceLanguage(int offset) {
    g_offset = offset;
    g_applied = true;
    windows().removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    for (const QPointer<QWidget>& w : std::as_const(windows()))
        if (w) UebersetzeOberflaeche(w, offset);
}

bool InterfaceLanguageApplied() {
    return g_applied;
}
