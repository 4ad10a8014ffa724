#pragma once
// TfmResiduals: the residuals of a parameter set of three or four components against the
// equilibrium data of its pairs, in a window of its own: a tab per pair with data
// (plot/residual_picture.h), in the order (1,2), (1,3), ... The picture shown can be saved as
// a PNG picture or an SVG drawing.

#include <QWidget>
#include <string>

#include "core/data/database.h"
#include "core/io/run_files.h"
#include "core/models/parameter_set.h"
#include "core/texts/text.h"

class QPushButton;
class QTabWidget;

namespace bubblix::gui {

class ResidualCanvas;

class TfmResiduals : public QWidget {
  Q_OBJECT

 public:
  // Throws the Error the residuals throw (a set the solvers refuse) and InputError when no
  // pair of the set has data; then no window is made. db must outlive the window.
  TfmResiduals(const TParameterSet& set, Language lang, std::string decimalSeparator,
               QWidget* parent = nullptr, RunFiles* run = nullptr,
               const Database& db = builtInDatabase());

  ResidualCanvas* canvas(int tab) const;
  // Writes the picture of the current tab (PNG or SVG by the name's ending). Throws FileError.
  void saveCurrent(const QString& path) const;

  QTabWidget* tabs = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnClose = nullptr;

 private:
  void saveClicked();

  Language lang_;
  RunFiles* run_;
};

}  // namespace bubblix::gui
