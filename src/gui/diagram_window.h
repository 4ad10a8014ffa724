#pragma once
// TfmDiagram: the phase diagrams of the binary parameter set the last session left, in a
// window of its own beside the main window. Tabs show the t-x-y and the y-x diagram at the
// pressure of the pair's data; a temperature field and a button add the P-x-y diagram at that
// temperature in a third tab. The last tab shows the activity coefficients of the pair's
// built-in data with the consistency point test's series (plot/gamma_picture.h), and after it the
// residuals of the set against the pair's data (plot/residual_picture.h). The diagram shown
// can be saved as a PNG picture or an SVG drawing. The analysis lines of every diagram drawn
// (azeotropes, liquid split) go to the report through a callback.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/models/parameter_set.h"
#include "core/texts/text.h"
#include "plot/diagram_data.h"
#include "plot/diagram_painter.h"
#include "plot/gamma_picture.h"
#include "plot/residual_picture.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace bubblix::gui {

// One view of a diagram, drawn to the widget's size.
class DiagramCanvas : public QWidget {
  Q_OBJECT

 public:
  DiagramCanvas(std::shared_ptr<const plot::DiagramData> data, plot::DiagramView view,
                QWidget* parent = nullptr);

  const plot::DiagramData& data() const { return *data_; }
  plot::DiagramView view() const { return view_; }
  // Where the last painting put the plot and the legend.
  const plot::DiagramLayout& lastLayout() const { return layout_; }

  QSize sizeHint() const override { return {900, 650}; }
  QSize minimumSizeHint() const override { return {420, 320}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::shared_ptr<const plot::DiagramData> data_;
  plot::DiagramView view_;
  plot::DiagramLayout layout_;
};

// The picture of ln gamma from the data, drawn to the widget's size.
class GammaCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit GammaCanvas(plot::GammaPicture picture, QWidget* parent = nullptr);
  const plot::GammaPicture& picture() const { return picture_; }
  QSize sizeHint() const override { return {900, 650}; }
  QSize minimumSizeHint() const override { return {420, 320}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  plot::GammaPicture picture_;
};

// The picture of a pair's residuals, drawn to the widget's size.
class ResidualCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit ResidualCanvas(plot::ResidualPicture picture, QWidget* parent = nullptr);
  const plot::ResidualPicture& picture() const { return picture_; }
  QSize sizeHint() const override { return {900, 650}; }
  QSize minimumSizeHint() const override { return {420, 320}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  plot::ResidualPicture picture_;
};

// Asks where to save a picture (PNG or SVG by the filter chosen), proposing baseName.png;
// none when the user cancels.
std::optional<QString> choosePictureFile(QWidget* parent, Language lang, const QString& baseName);

class TfmDiagram : public QWidget {
  Q_OBJECT

 public:
  using ReportLines = std::function<void(const std::vector<std::string>&)>;

  // Draws the diagrams of `set` at its data set's pressure and hands their analysis lines to
  // `report`. Throws the Error the analysis throws (a set that is not binary, components the
  // database lacks, a model the solvers refuse); then no window is made and nothing reported.
  // run: the files of the program's run, which a save must not destroy (none: not checked).
  // db: the data drawn with (the pair's data set, and a tab for each isobaric or isothermal
  // loaded set of the pair, after the y-x tab); it must outlive the window.
  TfmDiagram(const TParameterSet& set, Language lang, std::string decimalSeparator,
             ReportLines report, QWidget* parent = nullptr, RunFiles* run = nullptr,
             const Database& db = builtInDatabase());
  ~TfmDiagram() override;

  // Draws P-x-y at `celsius` (°C) in the third tab, replacing an earlier one, and makes it
  // the current tab. An error is shown in a message box; false then.
  bool drawIsothermal(double celsius);
  // Writes the diagram of the current tab (PNG or SVG by the name's ending) by the save
  // routine, checked against the run's files. Throws FileError.
  void saveCurrent(const QString& path,
                   QSize size = {plot::kDefaultDiagramWidth, plot::kDefaultDiagramHeight}) const;
  DiagramCanvas* canvas(int tab) const;
  // The tabs of the loaded sets' diagrams.
  int loadedSetTabs() const { return loadedSetTabs_; }
  // The ln gamma tab; null when the pair's data could not be checked.
  GammaCanvas* gammaCanvas() const { return gamma_; }
  // The residual tab, the last one: the set's residuals against the pair's data; null when
  // the pair has none.
  ResidualCanvas* residualCanvas() const { return residuals_; }

  QTabWidget* tabs = nullptr;
  QLabel* lbPxyTemperature = nullptr;
  QDoubleSpinBox* sePxyTemperature = nullptr;
  QPushButton* btnPxy = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnClose = nullptr;

 private:
  void saveClicked();

  const Database& db_;
  TParameterSet set_;
  Language lang_;
  std::string decimalSeparator_;
  ReportLines report_;
  RunFiles* run_;
  int pxyTab_ = -1;
  int loadedSetTabs_ = 0;
  GammaCanvas* gamma_ = nullptr;
  ResidualCanvas* residuals_ = nullptr;
};

}  // namespace bubblix::gui
