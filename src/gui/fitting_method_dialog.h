#pragma once
// TfmFittingMethod, Options -> Fitting method...: the objective of the fits (from the core's
// list kFitObjectives), the measurement uncertainties σ it weights with, and per parameter a
// fixed value and bounds, named by the labels of the result line (a row per parameter of
// Wilson, NRTL and UNIQUAC; added rows for UNIFAC's group parameters or for one pair only).
// The fields the objective does not take are disabled. OK reads the entries as
// session/fitting_method.h does and refuses a bad one in an error box naming the field; the
// dialog stays open then.

#include <QDialog>

#include "core/session/fitting_method.h"
#include "core/session/session_options.h"
#include "core/texts/text.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace bubblix::gui {

class TfmFittingMethod : public QDialog {
  Q_OBJECT

 public:
  // current: the choice shown; componentCount: the highest database number a pair may name.
  TfmFittingMethod(const ObjectiveOptions& current, Language lang, std::string decimalSeparator,
                   int componentCount, QWidget* parent = nullptr);

  // The options read at OK.
  const ObjectiveOptions& options() const { return options_; }

  // The table's columns.
  static constexpr int kPairColumn = 0;
  static constexpr int kModelColumn = 1;
  static constexpr int kParameterColumn = 2;
  static constexpr int kFixedColumn = 3;
  static constexpr int kLowerColumn = 4;
  static constexpr int kUpperColumn = 5;
  // Sets a cell as typed (the tests type through it too).
  void setCell(int row, int column, const QString& text);
  // The row of a parameter of the binary models' rows; -1 for none.
  int rowOf(const QString& label) const;
  int addRow();

  QComboBox* cbObjective = nullptr;
  QLineEdit* edSigmaT = nullptr;
  QLineEdit* edSigmaP = nullptr;
  QLineEdit* edSigmaX = nullptr;
  QLineEdit* edSigmaY = nullptr;
  QTableWidget* tbLimits = nullptr;
  QPushButton* btnAddRow = nullptr;
  QPushButton* btnDefaults = nullptr;
  QDialogButtonBox* buttons = nullptr;

  void accept() override;

 private:
  void showEntry(const FittingMethodEntry& entry);
  FittingMethodEntry entry() const;
  void objectiveChanged();

  Language lang_;
  std::string decimalSeparator_;
  int componentCount_;
  int binaryRows_ = 0;  // the first rows: the binary models' parameters, in a fixed order
  ObjectiveOptions options_;
};

}  // namespace bubblix::gui
