#include "plot/gamma_picture.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/report/consistency_report.h"
#include "core/texts/analysis_texts.h"
#include "core/texts/consistency_texts.h"
#include "plot/plot_primitives.h"

namespace bubblix::plot {
namespace {

// One colour per quantity: ln gamma1, ln gamma2, ln(gamma1/gamma2).
constexpr std::array<QRgb, 3> kColours{DiagramColours::Bubble, DiagramColours::Dew, 0x2e8b57};
constexpr std::array<Swatch, 3> kMarkers{Swatch::Circle, Swatch::Triangle, Swatch::Diamond};

}  // namespace

GammaPicture gammaPictureOf(const ConsistencyCheck& check, const std::array<std::string, 2>& names,
                            Language lang, std::string_view decimalSeparator) {
  GammaPicture picture;
  picture.Lang = lang;
  picture.DecimalSeparator = std::string(decimalSeparator);
  picture.Title = render(kGammaDiagramTitle, lang, {names[0], names[1]});
  picture.XAxis = render(kLiquidFractionAxis, lang, {names[0]});
  picture.YAxis = render(kGammaAxis, lang);
  const std::array<const Text*, 6> legends{&kLnGamma1Legend,       &kLnGamma2Legend,
                                           &kLnRatioLegend,        &kLnGamma1SeriesLegend,
                                           &kLnGamma2SeriesLegend, &kLnRatioSeriesLegend};
  for (std::size_t k = 0; k < legends.size(); ++k)
    picture.Legends[k] = render(*legends[k], lang);
  for (const DataGamma& g : check.Gammas) {
    picture.Measured.push_back({static_cast<double>(g.Point.x1), static_cast<double>(g.LnGamma1),
                                static_cast<double>(g.LnGamma2), static_cast<double>(g.lnRatio())});
  }
  if (!check.Point.Failure) {
    for (int k = 0; k < kSeriesCurvePoints; ++k) {
      const Real x1 = static_cast<Real>(k) / (kSeriesCurvePoints - 1);
      const std::array<Real, 2> l = legendreLnGamma(check.Point.Coefficients, x1);
      picture.Series.push_back({static_cast<double>(x1), static_cast<double>(l[0]),
                                static_cast<double>(l[1]), static_cast<double>(l[0] - l[1])});
    }
  }
  picture.ReportLines = consistencyReportLines(check, names, lang, decimalSeparator);
  return picture;
}

GammaPicture computeGammaPicture(const Database& db, int first, int second, int terms,
                                 Language lang, std::string_view decimalSeparator) {
  // The pair's loaded sets when it has any, else its built-in data.
  const EquilibriumDataSet set = pairEquilibriumData(db, first, second);
  const Mixture mixture = dataSetMixture(db, set, lang);
  const std::array<std::string, 2> names{mixture.ComponentNames[0], mixture.ComponentNames[1]};
  return gammaPictureOf(checkConsistency(mixture, set, terms), names, lang, decimalSeparator);
}

void paintGammaPicture(QPainter& p, const QRectF& area, const GammaPicture& picture) {
  const double s = scaleOf(area);
  const double f = std::max(s, 0.8);
  const QFont titleFont = fontOf(17 * f, true);
  const QFont axisFont = fontOf(15 * f);
  const QFont tickFont = fontOf(13.5 * f);
  const QFontMetricsF titleMetrics(titleFont, p.device());
  const QFontMetricsF axisMetrics(axisFont, p.device());
  const QFontMetricsF tickMetrics(tickFont, p.device());
  const std::string& sep = picture.DecimalSeparator;

  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  for (const auto* rows : {&picture.Measured, &picture.Series})
    for (const auto& row : *rows)
      for (int k = 1; k < 4; ++k) {
        lo = std::min(lo, row[static_cast<std::size_t>(k)]);
        hi = std::max(hi, row[static_cast<std::size_t>(k)]);
      }
  if (!std::isfinite(lo)) lo = hi = 0;
  const Axis x{0.0, 1.0, 0.1, 1};
  const Axis y = niceAxis(std::min(lo, 0.0), std::max(hi, 0.0));

  std::vector<LegendEntry> entries;
  for (std::size_t k = 0; k < 3; ++k)
    entries.push_back({kMarkers[k], kColours[k], qs(picture.Legends[k])});
  if (!picture.Series.empty()) {
    for (std::size_t k = 0; k < 3; ++k)
      entries.push_back({Swatch::Line, kColours[k], qs(picture.Legends[k + 3])});
  }
  const QFont legendFont = fontOf(13.5 * f);
  const LegendMetrics lm = measureLegend(entries, QFontMetricsF(legendFont, p.device()), s);

  const double margin = 14 * s;
  const double tickLength = 6 * s;
  double widest = 0;
  for (const double v : y.ticks())
    widest = std::max(widest, tickMetrics.horizontalAdvance(tickLabel(v, y.decimals, sep)));
  const QString title = qs(picture.Title);
  const QRectF titleBox = titleMetrics.boundingRect(QRectF(0, 0, area.width() - 2 * margin, 1e6),
                                                    Qt::AlignHCenter | Qt::TextWordWrap, title);
  const QRectF plot(
      QPointF(area.left() + margin + axisMetrics.height() + 10 * s + widest + tickLength + 5 * s,
              area.top() + margin + titleBox.height() + 14 * s),
      QPointF(area.right() - margin - lm.size.width() - 12 * s,
              area.bottom() - margin - axisMetrics.height() - 8 * s - tickMetrics.height() -
                  tickLength - 4 * s));
  const auto map = [&](double vx, double vy) { return mapToPlot(plot, x, y, vx, vy); };

  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(area, colour(DiagramColours::Background));
  drawGrid(p, plot, x, y, s);
  p.setPen(QPen(colour(DiagramColours::Diagonal), 1.2 * s));
  p.drawLine(map(x.min, 0), map(x.max, 0));  // ln gamma = 0: the ideal solution

  for (std::size_t k = 0; k < 3; ++k) {
    if (picture.Series.empty()) break;
    QPainterPath path(map(picture.Series[0][0], picture.Series[0][k + 1]));
    for (const auto& row : picture.Series)
      path.lineTo(map(row[0], row[k + 1]));
    p.setPen(curvePen(kColours[k], s));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  }
  for (std::size_t k = 0; k < 3; ++k)
    for (const auto& row : picture.Measured)
      drawMarker(p, kMarkers[k], kColours[k], map(row[0], row[k + 1]), 0.8 * s);

  drawFrameAndTicks(p, plot, x, y, tickFont, tickLength, widest, sep, s);
  p.setFont(axisFont);
  p.drawText(QRectF(plot.left(), area.bottom() - margin - axisMetrics.height(), plot.width(),
                    axisMetrics.height()),
             Qt::AlignHCenter | Qt::AlignVCenter, qs(picture.XAxis));
  p.save();
  p.translate(area.left() + margin, plot.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), axisMetrics.height()),
             Qt::AlignHCenter | Qt::AlignVCenter, qs(picture.YAxis));
  p.restore();
  p.setFont(titleFont);
  p.drawText(QRectF(area.left() + margin, area.top() + margin, area.width() - 2 * margin,
                    titleBox.height()),
             Qt::AlignHCenter | Qt::TextWordWrap, title);
  drawLegend(p, QRectF(QPointF(plot.right() + 12 * s, plot.top()), lm.size), entries, lm,
             legendFont, s);
  p.restore();
}

QImage renderGammaImage(const GammaPicture& picture, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour(DiagramColours::Background));
  QPainter painter(&image);
  paintGammaPicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture);
  painter.end();
  return image;
}

void saveGammaPicture(const GammaPicture& picture, const QString& path, QSize size, RunFiles* run) {
  savePicture(
      path, size, qs(picture.Title), picture.Lang,
      [&](QPainter& painter, const QRectF& area) { paintGammaPicture(painter, area, picture); },
      run);
}

}  // namespace bubblix::plot
