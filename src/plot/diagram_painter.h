#pragma once
// The binary phase diagrams drawn with QPainter: on a widget, into a PNG picture or an SVG
// drawing. One routine draws every target, so the window, the saved files and bubblix-diagram
// look alike.
//
// The main diagram shows the unknown of the condition (t, °C or P, mm Hg) against x1 and y1:
// the bubble curve (x1, unknown), the dew curve (y1, unknown), the measured liquid and vapour
// points of the pair. The y-x diagram shows y1 against x1: the bubble curve's (x1, y1), the
// diagonal and the measured (x1, y1). Both mark the azeotropes (a diamond) and the ranges of x1
// where the model's single liquid is unstable (a shaded band). A curve is broken where a point
// could not be solved. The legend sits in the corner of the plot that covers no data, or
// beside the plot when every corner would.

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include "core/io/run_files.h"
#include "plot/diagram_data.h"

class QImage;
class QPainter;

namespace bubblix::plot {

// The size of a saved diagram unless another is asked for, pixels.
inline constexpr int kDefaultDiagramWidth = 900;
inline constexpr int kDefaultDiagramHeight = 650;
inline constexpr int kMinDiagramSide = 200;
inline constexpr int kMaxDiagramSide = 8000;

// The colours of the drawing (RGB).
struct DiagramColours {
  static constexpr QRgb Background = 0xffffff;
  static constexpr QRgb Bubble = 0x1f5fa8;
  static constexpr QRgb Dew = 0xc0392b;
  static constexpr QRgb Azeotrope = 0xf39c12;
  static constexpr QRgb Split = 0x8e44ad;  // the band is this colour at low opacity
  static constexpr QRgb Diagonal = 0x7f7f7f;
  static constexpr QRgb Grid = 0xe4e4e4;
  static constexpr QRgb Ink = 0x222222;  // frame, ticks, texts
};

// Where a drawing put its parts, in the painter's coordinates.
struct DiagramLayout {
  QRectF Plot;    // the frame of the axes
  QRectF Legend;  // the legend's box
  bool LegendInside = true;
  double XMin = 0, XMax = 1;  // axis ranges, in the units shown
  double YMin = 0, YMax = 1;
  double YStep = 0.1;  // between labelled ticks
  int YDecimals = 1;   // of the tick labels

  // The point of the plot where (x, y), in the units shown, is drawn.
  QPointF map(double x, double y) const;
};

// The values a view plots, in the units shown: (x1 or y1, t °C or P mm Hg) or (x1, y1).
struct PlotPoints {
  std::vector<std::vector<QPointF>> BubbleSegments;  // runs of solved points
  std::vector<std::vector<QPointF>> DewSegments;     // main view only
  std::vector<QPointF> MeasuredLiquid;               // main: (x1, t); y-x: (x1, y1)
  std::vector<QPointF> MeasuredVapour;               // main view only: (y1, t)
  std::vector<QPointF> Azeotropes;
};
PlotPoints viewPoints(const DiagramData& data, DiagramView view);

// Draws the view into `area` (the whole area: background, title, axes, legend) and returns
// where its parts went.
DiagramLayout paintDiagram(QPainter& painter, const QRectF& area, const DiagramData& data,
                           DiagramView view);

// The view as a picture of the given size.
QImage renderDiagramImage(const DiagramData& data, DiagramView view,
                          QSize size = {kDefaultDiagramWidth, kDefaultDiagramHeight});

// Writes the view to `path`: a PNG picture or an SVG drawing by the name's ending (.png, .svg,
// in any case), drawn in memory and then saved by the save routine (file_backup.h: the earlier
// file becomes the back-up copy once the new one is complete), checked against the run's
// files when they are given. Throws FileError for another ending and when the file cannot be
// written (the message names the file and the system's reason); nothing changes then.
void saveDiagram(const DiagramData& data, DiagramView view, const QString& path,
                 QSize size = {kDefaultDiagramWidth, kDefaultDiagramHeight},
                 RunFiles* run = nullptr);

// The view's title: the main or the y-x title of the labels.
const std::string& viewTitle(const DiagramData& data, DiagramView view);

}  // namespace bubblix::plot
