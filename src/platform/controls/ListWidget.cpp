#include "platform/controls/ListWidget.h"

#include <QStyledItemDelegate>

namespace lumvex {

namespace {
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
}  // namespace

QListWidget* NewListWidget() {
    auto* list = new QListWidget;
    list->setUniformItemSizes(true);
    list->setItemDelegate(new RowDelegate(list));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

void SetRowHeight(QListWidget& list, int height) {
    static_cast<RowDelegate*>(list.itemDelegate())->height = height;
    list.doItemsLayout();
}

int RowHeight(const QListWidget& list) {
    int height = static_cast<RowDelegate*>(list.itemDelegate())->height;
    return height > 0 ? height : list.fontMetrics().height();
}

void FillList(QListWidget& list, const std::vector<std::string>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) texts.push_back(QString::fromStdString(line));
    list.clear();
    list.addItems(texts);
}

}  // namespace lumvex
