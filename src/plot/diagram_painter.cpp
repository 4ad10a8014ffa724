#include "plot/diagram_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/gui_texts.h"
#include "plot/plot_primitives.h"

namespace bubblix::plot {
namespace {

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
      // The unknown of the diagram: t on t-x-y, P on P-x-y (only points that carry one).
      if (kind == DiagramKind::Isothermal && !(m.P > 0.0L)) continue;
      const double t = static_cast<double>(kind == DiagramKind::Isobaric ? celsiusFromTau(m.tau)
                                                                         : paToMmHg(m.P));
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
  savePicture(
      path, size, qs(viewTitle(data, view)), data.Lang,
      [&](QPainter& painter, const QRectF& area) { paintDiagram(painter, area, data, view); }, run);
}

}  // namespace bubblix::plot
