#pragma once
// TForm1: which activity-coefficient model to use. Created for one question and destroyed
// after it.

#include <QDialog>
#include <array>
#include <optional>

#include "core/session/dialogs.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace bubblix::gui {

class TForm1 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm1(const ModelRequest& request, QWidget* parent = nullptr);

  // Shows the dialog modally and returns the answer (Exit set after Exit or the close box).
  ModelAnswer ask();

  int Tag = 0;  // the chosen model after OK: 0 Wilson, 1 NRTL, 2 UNIQUAC, 3 UNIFAC

  QLabel* Label1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  std::array<QRadioButton*, 4> models{};
  QPushButton* Button1 = nullptr;  // OK
  QPushButton* Button2 = nullptr;  // Exit

 private:
  std::optional<int> chosen() const;
  void okClicked();

  ModelRequest request_;
  QButtonGroup* group_ = nullptr;
  bool confirmed_ = false;
};

}  // namespace bubblix::gui
