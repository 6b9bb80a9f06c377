#pragma once
// Private to the platform layer: the list widget behind the list controls,
// with uniform rows of a settable height (fast for long lists).
#include <QListWidget>
#include <string>
#include <vector>

namespace lumvex {

QListWidget* NewListWidget();
void SetRowHeight(QListWidget& list, int height);
int RowHeight(const QListWidget& list);
void FillList(QListWidget& list, const std::vector<std::string>& lines);

}  // namespace lumvex
