#include "platform/controls/ListWidget.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

namespace lumvex {

namespace {

class LinesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void SetLines(const std::vector<std::string>& lines) {
        beginResetModel();
        lines_ = lines;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= static_cast<int>(lines_.size()))
            return {};
        return QString::fromStdString(lines_[static_cast<std::size_t>(index.row())]);
    }

private:
    std::vector<std::string> lines_;
};

class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int height = 0;  // 0: the font's own
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (height > 0) size.setHeight(height);
        return size;
    }
};

LinesModel& Lines(const QListView& view) { return *static_cast<LinesModel*>(view.model()); }
RowDelegate& Rows(const QListView& view) { return *static_cast<RowDelegate*>(view.itemDelegate()); }

}  // namespace

LinesView::LinesView() {
    setModel(new LinesModel(this));
    setUniformItemSizes(true);
    setItemDelegate(new RowDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void LinesView::SetLines(const std::vector<std::string>& lines) { Lines(*this).SetLines(lines); }

int LinesView::CurrentRow() const { return currentIndex().row(); }

void LinesView::SetCurrentRow(int row) {
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::SelectCurrent;
    if (selectionMode() == SingleSelection) command = QItemSelectionModel::ClearAndSelect;
    if (selectionMode() == NoSelection) command = QItemSelectionModel::NoUpdate;
    SetCurrentRow(row, command);
}

void LinesView::SetCurrentRow(int row, QItemSelectionModel::SelectionFlags command) {
    selectionModel()->setCurrentIndex(model()->index(row, 0), command);
}

bool LinesView::IsSelected(int row) const { return selectionModel()->isSelected(model()->index(row, 0)); }

void LinesView::SetSelected(int row, bool selected) {
    selectionModel()->select(model()->index(row, 0),
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int LinesView::SelectedCount() const { return static_cast<int>(selectionModel()->selectedIndexes().size()); }

void LinesView::SetRowHeight(int height) {
    Rows(*this).height = height;
    doItemsLayout();
}

int LinesView::RowHeight() const {
    const int height = Rows(*this).height;
    return height > 0 ? height : fontMetrics().height();
}

}  // namespace lumvex
