#pragma once
// Private to the platform layer: the list view behind the list controls, over
// lines of text with uniform rows of a settable height. The lines are held as
// they are and turned into the toolkit's text only for the rows drawn, so a
// folder of tens of thousands of files fills at once.
#include <QListView>
#include <string>
#include <vector>

namespace lumvex {

class LinesView : public QListView {
public:
    LinesView();

    // Replaces the lines; no row is current or selected afterwards.
    void SetLines(const std::vector<std::string>& lines);

    // −1 for none.
    int CurrentRow() const;
    // Makes row current: in single selection it is also the one selected, in
    // multiple selection it is selected besides the others.
    void SetCurrentRow(int row);
    void SetCurrentRow(int row, QItemSelectionModel::SelectionFlags command);

    bool IsSelected(int row) const;
    void SetSelected(int row, bool selected);
    int SelectedCount() const;

    void SetRowHeight(int height);
    int RowHeight() const;
};

}  // namespace lumvex
