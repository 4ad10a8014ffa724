#pragma once
// QtDialogs: the dialogs a calculation session asks through, as modal Qt dialogs over the
// main window.

#include <string>

#include "core/session/dialogs.h"

namespace bubblix::gui {

class TfmAltern;
class TfmCheckListBox;
class TfmVLE;

class QtDialogs : public Dialogs {
 public:
  // The long-lived variant and component dialogs are the start-up's; the model, grid and
  // file dialogs are made for each question.
  QtDialogs(TfmVLE& mainWindow, TfmAltern& altern, TfmCheckListBox& checkList);
  ~QtDialogs() override;

  VariantAnswer chooseVariant(const VariantRequest& request) override;
  ModelAnswer chooseModel(const ModelRequest& request) override;
  ComponentAnswer tickComponents(const ComponentRequest& request) override;
  void enterGrid(GridEntry& grid) override;
  MessageButton showMessage(const MessageRequest& request) override;
  std::optional<std::string> openFileName(const FileRequest& request) override;
  std::optional<std::string> saveFileName(const FileRequest& request) override;
  std::vector<std::string> openFileNames(const FileRequest& request) override;

  void setStatusText(const std::string& text) override;
  void setBusy(bool busy) override;
  void processPendingMessages() override;
  void setRunIndicator(bool running) override;

  // The decimal separator of the numbers typed into the grid: the system locale's unless set.
  const std::string& decimalSeparator() const { return decimalSeparator_; }

 private:
  TfmVLE& main_;
  TfmAltern& altern_;
  TfmCheckListBox& checkList_;
  std::string decimalSeparator_;
  int busy_ = 0;
};

// The decimal separator of the system locale, as UTF-8.
std::string systemDecimalSeparator();

}  // namespace bubblix::gui
