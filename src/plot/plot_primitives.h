#pragma once
// The drawing pieces the pictures of src/plot share: fonts and sizes that follow the picture's
// area, round axis ranges and their tick labels, markers, curve pens, the legend box, and
// writing a picture to a PNG or SVG file. Every size is given at scale 1 (a 900 x 650 pixel
// picture) and multiplied by the scale s of the area drawn into.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/io/run_files.h"
#include "core/texts/text.h"
#include "plot/diagram_painter.h"

class QPainter;

namespace bubblix::plot {

QString qs(const std::string& s);
std::string utf8(const QString& s);
QColor colour(QRgb rgb, int alpha = 255);

// Every size of the drawing follows the area: 1 at 900 x 650 pixels.
double scaleOf(const QRectF& area);
QFont fontOf(double pixels, bool bold = false);

struct Axis {
  double min = 0, max = 1, step = 0.1;
  int decimals = 1;
  // The labelled ticks: the multiples of step from min to max.
  std::vector<double> ticks() const {
    std::vector<double> out;
    for (double k = std::ceil(min / step - 1e-9); k * step <= max + 1e-9 * step; k += 1)
      out.push_back(k * step);
    return out;
  }
};

// The values with a margin of 4 % of their span on each side; labelled ticks at a round step
// inside.
Axis niceAxis(double lo, double hi);
QString tickLabel(double value, int decimals, const std::string& separator);

// The point of the values (vx, vy) in a plot rectangle with the axes x and y.
QPointF mapToPlot(const QRectF& plot, const Axis& x, const Axis& y, double vx, double vy);
// The grid lines at the labelled ticks of both axes.
void drawGrid(QPainter& p, const QRectF& plot, const Axis& x, const Axis& y, double s);
// The plot's frame with its ticks and labels: x below, y at the left, right-aligned within
// `widest` (the widest y label, pixels); tickLength in pixels.
void drawFrameAndTicks(QPainter& p, const QRectF& plot, const Axis& x, const Axis& y,
                       const QFont& tickFont, double tickLength, double widest,
                       const std::string& separator, double s);

enum class Swatch { Line, DashedLine, Circle, Triangle, Diamond, Band };

struct LegendEntry {
  Swatch kind;
  QRgb rgb;
  QString text;
};

// Marker sizes, at scale 1.
constexpr double kMarkerRadius = 4.6;
constexpr double kAzeotropeRadius = 7.5;

void drawMarker(QPainter& p, Swatch kind, QRgb rgb, QPointF at, double s);
QPen curvePen(QRgb rgb, double s, Qt::PenStyle style = Qt::SolidLine);

struct LegendMetrics {
  double padding, swatch, gap, row;
  QSizeF size;
};

LegendMetrics measureLegend(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm,
                            double s);
void drawLegend(QPainter& p, const QRectF& box, const std::vector<LegendEntry>& entries,
                const LegendMetrics& m, const QFont& font, double s);

// Paints a whole picture into the area.
using PictureFunction = std::function<void(QPainter&, const QRectF&)>;
// Writes the picture to `path`: PNG or SVG by the name's ending (any case), drawn into memory
// and saved by the one save routine (through `run` when given: its rules for the run's files),
// so the file is complete or not written and an earlier one becomes the back-up copy. Throws
// FileError for another ending and when the file cannot be written (the message names the
// file and the reason).
void savePicture(const QString& path, QSize size, const QString& title, Language lang,
                 const PictureFunction& paint, RunFiles* run = nullptr);

}  // namespace bubblix::plot
