#include "plot/diagram_painter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/file_backup.h"
#include "core/io/number_format.h"
#include "core/texts/gui_texts.h"

namespace bubblix::plot {
namespace {

QString qs(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

QColor colour(QRgb rgb, int alpha = 255) {
  QColor c = QColor::fromRgb(rgb);
  c.setAlpha(alpha);
  return c;
}

// Every size of the drawing follows the area: 1 at 900 x 650 pixels.
double scaleOf(const QRectF& area) {
  return std::clamp(std::min(area.width() / 900.0, area.height() / 650.0), 0.45, 4.0);
}

QFont fontOf(double pixels, bool bold = false) {
  QFont font;
  font.setFamilies(
      {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(7, static_cast<int>(std::lround(pixels))));
  font.setBold(bold);
  return font;
}

// A step of 1, 2 or 5 times a power of ten near span / intervals.
double niceStep(double span, int intervals) {
  const double raw = span / intervals;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double norm = raw / magnitude;
  const double nice = norm < 1.5 ? 1.0 : norm < 3.0 ? 2.0 : norm < 7.0 ? 5.0 : 10.0;
  return nice * magnitude;
}

int decimalsOf(double step) {
  return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

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
Axis niceAxis(double lo, double hi) {
  if (!(lo <= hi)) {
    lo = 0;
    hi = 1;
  }
  double span = hi - lo;
  if (span < 1e-9 * std::max(1.0, std::abs(hi))) {
    span = std::max(1.0, std::abs(hi) * 0.02);
    lo -= span / 2;
    hi += span / 2;
  }
  Axis axis;
  axis.min = lo - 0.04 * span;
  axis.max = hi + 0.04 * span;
  axis.step = niceStep(axis.max - axis.min, 6);
  axis.decimals = decimalsOf(axis.step);
  return axis;
}

QString tickLabel(double value, int decimals, const std::string& separator) {
  if (std::abs(value) < 1e-12) value = 0;  // no "-0.0"
  return qs(formatFixed(static_cast<Real>(value), decimals, separator));
}

enum class Swatch { Line, DashedLine, Circle, Triangle, Diamond, Band };

struct LegendEntry {
  Swatch kind;
  QRgb rgb;
  QString text;
};

// Marker sizes, at scale 1.
constexpr double kMarkerRadius = 4.6;
constexpr double kAzeotropeRadius = 7.5;

void drawMarker(QPainter& p, Swatch kind, QRgb rgb, QPointF at, double s) {
  p.save();
  switch (kind) {
    case Swatch::Circle: {
      const double r = kMarkerRadius * s;
      p.setPen(QPen(colour(rgb), 1.7 * s));
      p.setBrush(colour(DiagramColours::Background));
      p.drawEllipse(at, r, r);
      break;
    }
    case Swatch::Triangle: {
      const double r = kMarkerRadius * 1.2 * s;
      QPainterPath path;
      path.moveTo(at.x(), at.y() - r);
      path.lineTo(at.x() + 0.87 * r, at.y() + 0.5 * r);
      path.lineTo(at.x() - 0.87 * r, at.y() + 0.5 * r);
      path.closeSubpath();
      p.setPen(QPen(colour(rgb), 1.7 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(colour(DiagramColours::Background));
      p.drawPath(path);
      break;
    }
    case Swatch::Diamond: {
      const double r = kAzeotropeRadius * s;
      QPainterPath path;
      path.moveTo(at.x(), at.y() - r);
      path.lineTo(at.x() + r, at.y());
      path.lineTo(at.x(), at.y() + r);
      path.lineTo(at.x() - r, at.y());
      path.closeSubpath();
      p.setPen(QPen(colour(0x6b3d00), 1.4 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(colour(rgb));
      p.drawPath(path);
      break;
    }
    default:
      break;
  }
  p.restore();
}

QPen curvePen(QRgb rgb, double s, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(colour(rgb), 2.4 * s, style, Qt::RoundCap, Qt::RoundJoin);
  if (style != Qt::SolidLine) pen.setDashPattern({5.0, 4.0});
  return pen;
}

void drawSegments(QPainter& p, const DiagramLayout& layout,
                  const std::vector<std::vector<QPointF>>& segments, QRgb rgb, double s) {
  p.save();
  p.setPen(curvePen(rgb, s));
  p.setBrush(Qt::NoBrush);
  for (const auto& segment : segments) {
    if (segment.size() == 1) {
      // A point between two unsolved ones: a dot, not a line.
      p.setBrush(colour(rgb));
      p.setPen(Qt::NoPen);
      const QPointF at = layout.map(segment[0].x(), segment[0].y());
      p.drawEllipse(at, 1.8 * s, 1.8 * s);
      p.setPen(curvePen(rgb, s));
      p.setBrush(Qt::NoBrush);
      continue;
    }
    QPainterPath path(layout.map(segment[0].x(), segment[0].y()));
    for (std::size_t k = 1; k < segment.size(); ++k)
      path.lineTo(layout.map(segment[k].x(), segment[k].y()));
    p.drawPath(path);
  }
  p.restore();
}

std::vector<std::vector<QPointF>> segmentsOf(const ModelCurve& curve, DiagramKind kind,
                                             DiagramView view) {
  std::vector<std::vector<QPointF>> out;
  for (const auto& run : curve.segments()) {
    std::vector<QPointF> points;
    points.reserve(run.size());
    for (const EquilibriumPoint& p : run) {
      if (view == DiagramView::Xy) {
        points.emplace_back(static_cast<double>(p.x1), static_cast<double>(p.y1));
      } else {
        points.emplace_back(static_cast<double>(curve.given(p)),
                            static_cast<double>(shownUnknown(kind, p)));
      }
    }
    if (!points.empty()) out.push_back(std::move(points));
  }
  return out;
}

std::vector<LegendEntry> legendOf(const DiagramData& data, DiagramView view,
                                  const PlotPoints& points) {
  const DiagramLabels& l = data.Labels;
  std::vector<LegendEntry> entries;
  if (view == DiagramView::Main) {
    entries.push_back({Swatch::Line, DiagramColours::Bubble, qs(l.BubbleLegend)});
    entries.push_back({Swatch::Line, DiagramColours::Dew, qs(l.DewLegend)});
    if (!points.MeasuredLiquid.empty())
      entries.push_back({Swatch::Circle, DiagramColours::Bubble, qs(l.MeasuredLiquidLegend)});
    if (!points.MeasuredVapour.empty())
      entries.push_back({Swatch::Triangle, DiagramColours::Dew, qs(l.MeasuredVapourLegend)});
  } else {
    entries.push_back({Swatch::Line, DiagramColours::Bubble, qs(l.ModelXyLegend)});
    entries.push_back({Swatch::DashedLine, DiagramColours::Diagonal, qs(l.DiagonalLegend)});
    if (!points.MeasuredLiquid.empty())
      entries.push_back({Swatch::Circle, DiagramColours::Bubble, qs(l.MeasuredXyLegend)});
  }
  for (const Azeotrope& a : data.Analysis.Azeotropes)
    entries.push_back(
        {Swatch::Diamond, DiagramColours::Azeotrope, qs(azeotropeLegendText(data, a))});
  for (const SplitRange& r : data.Analysis.LiquidSplit)
    entries.push_back({Swatch::Band, DiagramColours::Split, qs(splitLegendText(data, r))});
  return entries;
}

struct LegendMetrics {
  double padding, swatch, gap, row;
  QSizeF size;
};

LegendMetrics measureLegend(const std::vector<LegendEntry>& entries, const QFontMetricsF& fm,
                            double s) {
  LegendMetrics m{};
  m.padding = 9 * s;
  m.swatch = 30 * s;
  m.gap = 8 * s;
  m.row = std::max(fm.height(), 16 * s) + 4 * s;
  double text = 0;
  for (const LegendEntry& e : entries)
    text = std::max(text, fm.horizontalAdvance(e.text));
  m.size = QSizeF(2 * m.padding + m.swatch + m.gap + text,
                  2 * m.padding + m.row * static_cast<double>(entries.size()) - 4 * s);
  return m;
}

void drawLegend(QPainter& p, const QRectF& box, const std::vector<LegendEntry>& entries,
                const LegendMetrics& m, const QFont& font, double s) {
  p.save();
  p.setPen(QPen(colour(0xb0b0b0), 1.0 * s));
  p.setBrush(colour(DiagramColours::Background, 235));
  p.drawRoundedRect(box, 3 * s, 3 * s);
  p.setFont(font);
  double y = box.top() + m.padding;
  for (const LegendEntry& e : entries) {
    const QRectF row(box.left() + m.padding, y, m.swatch, m.row - 4 * s);
    const QPointF centre = row.center();
    switch (e.kind) {
      case Swatch::Line:
      case Swatch::DashedLine:
        p.setPen(curvePen(e.rgb, s, e.kind == Swatch::Line ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(QPointF(row.left(), centre.y()), QPointF(row.right(), centre.y()));
        break;
      case Swatch::Band:
        p.setPen(QPen(colour(e.rgb, 200), 1.0 * s, Qt::DashLine));
        p.setBrush(colour(e.rgb, 48));
        p.drawRect(row.adjusted(2 * s, 1 * s, -2 * s, -1 * s));
        break;
      default:
        drawMarker(p, e.kind, e.rgb, centre, std::min(s, row.height() / (2 * kAzeotropeRadius)));
        break;
    }
    p.setPen(colour(DiagramColours::Ink));
    p.drawText(QRectF(row.right() + m.gap, y - 2 * s, box.right() - row.right(), m.row),
               Qt::AlignLeft | Qt::AlignVCenter, e.text);
    y += m.row;
  }
  p.restore();
}

// The points the legend must not hide, in plot coordinates: every curve point and the
// middles between neighbours, the markers, and the diagonal of a y-x diagram.
std::vector<QPointF> obstacles(const DiagramLayout& layout, const PlotPoints& points,
                               DiagramView view) {
  std::vector<QPointF> out;
  auto addRuns = [&](const std::vector<std::vector<QPointF>>& runs) {
    for (const auto& run : runs) {
      for (std::size_t k = 0; k < run.size(); ++k) {
        out.push_back(layout.map(run[k].x(), run[k].y()));
        if (k + 1 < run.size()) {
          out.push_back(
              layout.map((run[k].x() + run[k + 1].x()) / 2, (run[k].y() + run[k + 1].y()) / 2));
        }
      }
    }
  };
  addRuns(points.BubbleSegments);
  addRuns(points.DewSegments);
  for (const auto* list : {&points.MeasuredLiquid, &points.MeasuredVapour, &points.Azeotropes})
    for (const QPointF& q : *list)
      out.push_back(layout.map(q.x(), q.y()));
  if (view == DiagramView::Xy) {
    for (int k = 0; k <= 200; ++k)
      out.push_back(layout.map(k / 200.0, k / 200.0));
  }
  return out;
}

int hidden(const QRectF& box, const std::vector<QPointF>& points, double margin) {
  const QRectF grown = box.adjusted(-margin, -margin, margin, margin);
  return static_cast<int>(std::count_if(points.begin(), points.end(),
                                        [&](const QPointF& q) { return grown.contains(q); }));
}

}  // namespace

QPointF DiagramLayout::map(double x, double y) const {
  const double fx = (x - XMin) / (XMax - XMin);
  const double fy = (y - YMin) / (YMax - YMin);
  return {Plot.left() + fx * Plot.width(), Plot.bottom() - fy * Plot.height()};
}

const std::string& viewTitle(const DiagramData& data, DiagramView view) {
  return view == DiagramView::Main ? data.Labels.MainTitle : data.Labels.XyTitle;
}

PlotPoints viewPoints(const DiagramData& data, DiagramView view) {
  const PhaseDiagram& d = data.Analysis.Diagram;
  const DiagramKind kind = d.At.Kind;
  PlotPoints out;
  out.BubbleSegments = segmentsOf(d.Bubble, kind, view);
  if (view == DiagramView::Main) out.DewSegments = segmentsOf(d.Dew, kind, view);
  for (const MeasuredPoint& m : d.Measured) {
    const double x1 = static_cast<double>(m.x1);
    const double y1 = static_cast<double>(m.y1);
    if (view == DiagramView::Xy) {
      out.MeasuredLiquid.emplace_back(x1, y1);
    } else {
      const double t = static_cast<double>(celsiusFromTau(m.tau));
      out.MeasuredLiquid.emplace_back(x1, t);
      out.MeasuredVapour.emplace_back(y1, t);
    }
  }
  for (const Azeotrope& a : data.Analysis.Azeotropes) {
    const double x1 = static_cast<double>(a.Point.x1);
    out.Azeotropes.emplace_back(
        x1, view == DiagramView::Xy ? x1 : static_cast<double>(shownUnknown(kind, a.Point)));
  }
  return out;
}

DiagramLayout paintDiagram(QPainter& p, const QRectF& area, const DiagramData& data,
                           DiagramView view) {
  const double s = scaleOf(area);
  const PlotPoints points = viewPoints(data, view);
  const std::string& sep = data.DecimalSeparator;
  // Texts shrink less than the drawing, so that a small picture stays readable.
  const double f = std::max(s, 0.8);
  const QFont axisFont = fontOf(15 * f);
  const QFont tickFont = fontOf(13.5 * f);
  const QFont legendFont = fontOf(13.5 * f);
  const QFontMetricsF axisMetrics(axisFont, p.device());
  const QFontMetricsF tickMetrics(tickFont, p.device());
  const QFontMetricsF legendMetrics(legendFont, p.device());

  DiagramLayout layout;
  // The axis ranges.
  Axis xAxis{0.0, 1.0, 0.1, 1};
  Axis yAxis = xAxis;
  if (view == DiagramView::Main) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    auto take = [&](const QPointF& q) {
      lo = std::min(lo, q.y());
      hi = std::max(hi, q.y());
    };
    for (const auto* runs : {&points.BubbleSegments, &points.DewSegments})
      for (const auto& run : *runs)
        for (const QPointF& q : run)
          take(q);
    for (const auto* list : {&points.MeasuredLiquid, &points.Azeotropes})
      for (const QPointF& q : *list)
        take(q);
    yAxis = niceAxis(lo, hi);
  }
  layout.XMin = xAxis.min;
  layout.XMax = xAxis.max;
  layout.YMin = yAxis.min;
  layout.YMax = yAxis.max;
  layout.YStep = yAxis.step;
  layout.YDecimals = yAxis.decimals;
  const std::vector<double> xTicks = xAxis.ticks();
  const std::vector<double> yTicks = yAxis.ticks();

  // The frame of the axes: room for the title above, the tick labels and axis titles at the
  // left and below.
  const double margin = 14 * s;
  const double tickLength = 6 * s;
  const QString title = qs(viewTitle(data, view));
  // The title on one line where a slightly smaller font allows it, else wrapped.
  QFont titleFont = fontOf(18 * f, true);
  for (double pixels = 18; pixels >= 15; pixels -= 0.5) {
    titleFont = fontOf(pixels * f, true);
    if (QFontMetricsF(titleFont, p.device()).horizontalAdvance(title) <= area.width() - 2 * margin)
      break;
  }
  const QFontMetricsF titleMetrics(titleFont, p.device());
  const QRectF titleBox = titleMetrics.boundingRect(QRectF(0, 0, area.width() - 2 * margin, 1e6),
                                                    Qt::AlignHCenter | Qt::TextWordWrap, title);
  double widestYLabel = 0;
  for (const double value : yTicks) {
    widestYLabel = std::max(widestYLabel,
                            tickMetrics.horizontalAdvance(tickLabel(value, yAxis.decimals, sep)));
  }
  const double left =
      area.left() + margin + axisMetrics.height() + 10 * s + widestYLabel + tickLength + 5 * s;
  const double top = area.top() + margin + titleBox.height() + 14 * s;
  const double bottom = area.bottom() - margin - axisMetrics.height() - 8 * s -
                        tickMetrics.height() - tickLength - 4 * s;
  const double rightRoom = std::max(22 * s, tickMetrics.horizontalAdvance(QStringLiteral("0.0")));
  double right = area.right() - rightRoom;

  // The legend: the first corner of the plot that hides no data, else beside the plot.
  const std::vector<LegendEntry> entries = legendOf(data, view, points);
  const LegendMetrics lm = measureLegend(entries, legendMetrics, s);
  const double inset = 10 * s;
  layout.Plot = QRectF(QPointF(left, top), QPointF(right, bottom));
  {
    const std::vector<QPointF> data0 = obstacles(layout, points, view);
    const QRectF& plot = layout.Plot;
    const QSizeF size = lm.size;
    const std::array<QRectF, 4> corners{
        QRectF(QPointF(plot.right() - inset - size.width(), plot.top() + inset), size),
        QRectF(QPointF(plot.left() + inset, plot.top() + inset), size),
        QRectF(QPointF(plot.right() - inset - size.width(), plot.bottom() - inset - size.height()),
               size),
        QRectF(QPointF(plot.left() + inset, plot.bottom() - inset - size.height()), size)};
    bool placed = false;
    for (const QRectF& corner : corners) {
      if (corner.width() < plot.width() && corner.height() < plot.height() &&
          hidden(corner, data0, 5 * s) == 0) {
        layout.Legend = corner;
        placed = true;
        break;
      }
    }
    if (!placed) {
      right = area.right() - margin - size.width() - 12 * s;
      layout.Plot.setRight(right);
      layout.Legend = QRectF(QPointF(right + 12 * s, top), size);
      layout.LegendInside = false;
    }
  }
  const QRectF plot = layout.Plot;

  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(area, colour(DiagramColours::Background));

  // Grid lines at the labelled ticks.
  p.setPen(QPen(colour(DiagramColours::Grid), 1.0 * s));
  for (const double value : xTicks) {
    const double x = layout.map(value, 0).x();
    if (x > plot.left() + 1 && x < plot.right() - 1)
      p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  for (const double value : yTicks) {
    const double y = layout.map(0, value).y();
    if (y > plot.top() + 1 && y < plot.bottom() - 1)
      p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  }

  // The ranges where the model's single liquid is unstable.
  for (const SplitRange& r : data.Analysis.LiquidSplit) {
    const double x0 = layout.map(static_cast<double>(r.From.x1), 0).x();
    const double x1 = layout.map(static_cast<double>(r.To.x1), 0).x();
    const QRectF band(QPointF(x0, plot.top()), QPointF(x1, plot.bottom()));
    p.fillRect(band, colour(DiagramColours::Split, 48));
    p.setPen(QPen(colour(DiagramColours::Split, 200), 1.2 * s, Qt::DashLine));
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.drawLine(band.topRight(), band.bottomRight());
  }

  if (view == DiagramView::Xy) {
    p.setPen(curvePen(DiagramColours::Diagonal, s, Qt::DashLine));
    p.drawLine(layout.map(0, 0), layout.map(1, 1));
  }
  drawSegments(p, layout, points.DewSegments, DiagramColours::Dew, s);
  drawSegments(p, layout, points.BubbleSegments, DiagramColours::Bubble, s);
  for (const QPointF& q : points.MeasuredVapour)
    drawMarker(p, Swatch::Triangle, DiagramColours::Dew, layout.map(q.x(), q.y()), s);
  for (const QPointF& q : points.MeasuredLiquid)
    drawMarker(p, Swatch::Circle, DiagramColours::Bubble, layout.map(q.x(), q.y()), s);
  for (const QPointF& q : points.Azeotropes)
    drawMarker(p, Swatch::Diamond, DiagramColours::Azeotrope, layout.map(q.x(), q.y()), s);

  // The frame, the ticks and their labels.
  p.setPen(QPen(colour(DiagramColours::Ink), 1.3 * s));
  p.setBrush(Qt::NoBrush);
  p.drawRect(plot);
  p.setFont(tickFont);
  for (const double value : xTicks) {
    const double x = layout.map(value, 0).x();
    p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tickLength));
    const QRectF box(x - 40 * s, plot.bottom() + tickLength + 2 * s, 80 * s, tickMetrics.height());
    p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, tickLabel(value, xAxis.decimals, sep));
  }
  for (const double value : yTicks) {
    const double y = layout.map(0, value).y();
    p.drawLine(QPointF(plot.left() - tickLength, y), QPointF(plot.left(), y));
    const QRectF box(plot.left() - tickLength - 4 * s - widestYLabel - 2 * s,
                     y - tickMetrics.height() / 2, widestYLabel + 2 * s, tickMetrics.height());
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, tickLabel(value, yAxis.decimals, sep));
  }

  // Axis titles.
  const DiagramLabels& labels = data.Labels;
  const QString xTitle = qs(view == DiagramView::Main ? labels.CompositionAxis : labels.LiquidAxis);
  const QString yTitle = qs(view == DiagramView::Main ? labels.UnknownAxis : labels.VapourAxis);
  p.setFont(axisFont);
  p.setPen(colour(DiagramColours::Ink));
  p.drawText(QRectF(plot.left(), area.bottom() - margin - axisMetrics.height(), plot.width(),
                    axisMetrics.height()),
             Qt::AlignHCenter | Qt::AlignVCenter, xTitle);
  p.save();
  p.translate(area.left() + margin, plot.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), axisMetrics.height()),
             Qt::AlignHCenter | Qt::AlignVCenter, yTitle);
  p.restore();

  // The title.
  p.setFont(titleFont);
  p.drawText(QRectF(area.left() + margin, area.top() + margin, area.width() - 2 * margin,
                    titleBox.height()),
             Qt::AlignHCenter | Qt::TextWordWrap, title);

  drawLegend(p, layout.Legend, entries, lm, legendFont, s);
  p.restore();
  return layout;
}

QImage renderDiagramImage(const DiagramData& data, DiagramView view, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour(DiagramColours::Background));
  QPainter painter(&image);
  paintDiagram(painter, QRectF(QPointF(0, 0), QSizeF(size)), data, view);
  painter.end();
  return image;
}

void saveDiagram(const DiagramData& data, DiagramView view, const QString& path, QSize size,
                 RunFiles* run) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
    throw FileError(texts::kDiagramFileType, {utf8(path)});
  }
  // Drawn into memory first, so that the file is written by the one save routine: complete
  // or not at all, the earlier picture kept as the back-up copy.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool written = true;
  if (suffix == QLatin1String("png")) {
    QImageWriter writer(&buffer, "png");
    written = writer.write(renderDiagramImage(data, view, size));
  } else {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // At 96 dots per inch a browser shows the drawing at the size asked for.
    svg.setResolution(96);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(qs(viewTitle(data, view)));
    svg.setDescription(QStringLiteral("Bubblix"));
    QPainter painter;
    written = painter.begin(&svg);
    if (written) {
      paintDiagram(painter, QRectF(QPointF(0, 0), QSizeF(size)), data, view);
      written = painter.end();
    }
  }
  buffer.close();
  if (!written || bytes.isEmpty()) {
    throw FileError(texts::kDiagramNotWritten,
                    {utf8(path), render(texts::kDiagramWriteFailed, data.Lang)});
  }
  const std::string name = path.toLocal8Bit().toStdString();
  const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (run != nullptr) {
    run->save(name, FileRole::Diagram, content);
  } else {
    saveFileWithBackup(name, content);
  }
}

}  // namespace bubblix::plot
