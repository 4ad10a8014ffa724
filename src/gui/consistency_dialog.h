#pragma once
// TfmConsistency: the pair whose equilibrium data (loaded sets, else built-in) Data -> Check
// consistency... tests, component 1 first, and the number of terms of the point test's series. OK
// refuses a pair of one component twice (a warning box) and stays open.

#include <QDialog>

#include "core/data/database.h"
#include "core/texts/text.h"

class QComboBox;
class QDialogButtonBox;
class QSpinBox;

namespace bubblix::gui {

class TfmConsistency : public QDialog {
  Q_OBJECT

 public:
  TfmConsistency(const Database& db, Language lang, QWidget* parent = nullptr);

  int first() const;   // database number of component 1
  int second() const;  // and of component 2
  int terms() const;

  QComboBox* cbFirst = nullptr;
  QComboBox* cbSecond = nullptr;
  QSpinBox* seTerms = nullptr;
  QDialogButtonBox* buttons = nullptr;

  void accept() override;

 private:
  Language lang_;
};

}  // namespace bubblix::gui
