#pragma once
// TfmStrGr: several real numbers at once, typed into a small grid under a prompt. The
// heading rows (the grid entry's fixed rows: names, units) show as the grid's column headings;
// heading columns show as grey cells that cannot be edited; every other cell is an entry cell.
// The dialog works on the session's GridEntry: it fills its cells from CellText each time it
// is shown and leaves Values and Cancelled there.

#include <QDialog>
#include <string>

#include "core/session/dialog_rules.h"
#include "core/session/dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace bubblix::gui {

class GridCellDelegate;

class TfmStrGr : public QDialog {
  Q_OBJECT

 public:
  // Column widths in pixels (without the grid line).
  static constexpr int kFirstColWidth = 100;
  static constexpr int kColWidth = 100;

  // Prepares the dialog for `grid` (throws InputError for a grid that cannot be shown).
  // decimalSeparator: the separator of the numbers typed, the system locale's.
  TfmStrGr(GridEntry& grid, std::string decimalSeparator, QWidget* parent = nullptr);
  ~TfmStrGr() override;

  // The texts the grid's cells show now, [column][row]; heading cells hold CellText.
  GridArray<std::string> cellTexts() const;
  // The text of one cell, [column][row] as in GridEntry.
  QString cellText(int col, int row) const;
  // The editor of the cell being edited; null when no cell is.
  QLineEdit* cellEditor() const;

  QLabel* lbStGr = nullptr;
  QTableWidget* sgInput = nullptr;
  QPushButton* btbtnOk = nullptr;
  QPushButton* btbtnCancel = nullptr;

 protected:
  void reject() override;

 private:
  friend class GridCellDelegate;
  void fill();
  void checkKeystroke(const QString& text);
  void okClicked();
  // Table position of a GridEntry cell: the heading rows are not table rows.
  int tableRow(int row) const { return row - grid_.FixedRows; }

  GridEntry& grid_;
  std::string decimalSeparator_;
  GridCellDelegate* delegate_ = nullptr;
  bool checking_ = false;
};

}  // namespace bubblix::gui
