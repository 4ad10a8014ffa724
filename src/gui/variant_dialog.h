#pragma once
// TfmAltern: one of up to ten variants in a radio group, optionally with a pair of mutually
// exclusive check boxes underneath. One instance lives for the whole run; its Tag, BoxAnswer
// and the check boxes' captions and visibility last from one question to the next.

#include <QDialog>
#include <vector>

#include "core/session/dialog_rules.h"
#include "core/session/dialogs.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace bubblix::gui {

class TfmAltern : public QDialog {
  Q_OBJECT

 public:
  explicit TfmAltern(QWidget* parent = nullptr);

  // Shows the question modally and returns the answer: the chosen variant after "Checked",
  // the previous Tag after the close box (or Escape).
  VariantAnswer ask(const VariantRequest& request);

  // Opens the dialog for the request without waiting (ask() does this, then runs it modally).
  void prepare(const VariantRequest& request);

  int Tag() const { return state_.tag(); }
  char BoxAnswer() const { return state_.boxAnswer(); }

  QLabel* Label1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QCheckBox* chbAltern1 = nullptr;
  QCheckBox* chbAltern2 = nullptr;
  std::vector<QRadioButton*> variants;

 private:
  void showState();
  void variantClicked(int index);
  void box1Clicked(bool ticked);
  void box2Clicked(bool ticked);

  AlternDialogState state_;
  QButtonGroup* group_ = nullptr;
  QVBoxLayout* variantLayout_ = nullptr;
  bool confirmed_ = false;
};

}  // namespace bubblix::gui
