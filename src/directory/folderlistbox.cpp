#include "directory/folderlistbox.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace {
constexpr int IndentPerLevel = 10;

class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
    }

private:
    static int indent(const QModelIndex& index) {
        return IndentPerLevel * index.data(FolderListBox::LevelRole).toInt();
    }
};
} // namespace

FolderListBox::FolderListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new IndentingDelegate(this));
}

void FolderListBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QListWidgetItem* item = currentItem()) Q_EMIT itemActivated(item);
        event->accept(); // walking in never closes the dialog
        return;
    case Qt::Key_Backspace:
        Q_EMIT upRequested();
        event->accept();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}
