#pragma once
// TfmCheckListBox: the user ticks the components of the mixture in a two-column check list.
// One instance lives for the whole run; every opening rebuilds the list with nothing ticked.

#include <QDialog>

#include "core/session/dialogs.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace bubblix::gui {

class TfmCheckListBox : public QDialog {
  Q_OBJECT

 public:
  explicit TfmCheckListBox(QWidget* parent = nullptr);

  // Shows the list modally; returns the ticks of the entries in list order.
  ComponentAnswer ask(const ComponentRequest& request);
  // Fills the dialog for the request without waiting (ask() does this, then runs it).
  void prepare(const ComponentRequest& request);
  ComponentTicks ticks() const;

  QLabel* lbChLiBox = nullptr;
  QListWidget* ChLiBoxVLE = nullptr;
  QPushButton* BBtChLiBox = nullptr;   // OK
  QPushButton* BitBtSelAll = nullptr;  // Select All

 private:
  void okClicked();
  void selectAllClicked();

  Language lang_ = Language::NotChosen;
};

}  // namespace bubblix::gui
