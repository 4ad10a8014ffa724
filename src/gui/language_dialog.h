#pragma once
// TForm0: the language of the interface, asked once at start-up.

#include <QDialog>

#include "core/texts/text.h"

class QPushButton;

namespace bubblix::gui {

class TForm0 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm0(QWidget* parent = nullptr);

  // English after "En", Russian after "Ru"; NotChosen when the dialog was closed otherwise
  // (its close box or Escape), which the rest of the program treats as Russian.
  Language chosenLanguage() const { return chosen_; }

  QPushButton* Button1 = nullptr;  // "En"
  QPushButton* Button2 = nullptr;  // "Ru"

 private:
  void choose(Language lang);

  Language chosen_ = Language::NotChosen;
};

}  // namespace bubblix::gui
