#pragma once
// TfmLoadedData: what the user has loaded (Data -> Loaded data...). The library's components
// with their boiling temperature at 760 mm Hg, and each data set with its pair, points, the
// ranges of t and P and its file; Remove takes the set chosen out of the database. Modal:
// nothing else changes the database while it is open.

#include <QDialog>
#include <string>

#include "core/data/database.h"
#include "core/texts/text.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace bubblix::gui {

class TfmLoadedData : public QDialog {
  Q_OBJECT

 public:
  // db: the main window's database, changed by Remove. Numbers are written with
  // decimalSeparator, as the rest of the interface writes them (the system's).
  TfmLoadedData(Database& db, Language lang, std::string decimalSeparator,
                QWidget* parent = nullptr);

  // The data sets removed since the window was made.
  int removed() const { return removed_; }

  QLabel* lbLibrary = nullptr;
  QTableWidget* tbComponents = nullptr;
  QLabel* lbSets = nullptr;
  QTableWidget* tbSets = nullptr;
  QPushButton* btnRemove = nullptr;
  QPushButton* btnClose = nullptr;

 private:
  void fill();
  void removeClicked();

  Database& db_;
  Language lang_;
  std::string decimalSeparator_;
  int removed_ = 0;
};

}  // namespace bubblix::gui
