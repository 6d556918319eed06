#pragma once
#include "directory/direditmodel.h"

#include <QAbstractTableModel>

// One grid of the editor as an item model over the listing: R rows, one column, the
// header text of the layout; comment cells edit the listing line directly.
class EditGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    EditGridModel(VerzEditModel& editor, int grid, QObject* parent = nullptr)
        : QAbstractTableModel(parent), editor_(editor), grid_(grid) {}

    // After the layout, the listing or the read-only state changed.
    void refill() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    VerzEditModel& editor_;
    int grid_;
};
