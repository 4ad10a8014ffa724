#include "plot/residual_picture.h"

#include <algorithm>
#include <cmath>

#include "core/io/number_format.h"
#include "core/texts/analysis_texts.h"
#include "core/texts/residual_texts.h"
#include "plot/plot_primitives.h"

namespace bubblix::plot {
namespace {

struct Panel {
  const std::vector<std::array<double, 2>>* Points;
  QString Axis;
  QRgb Rgb;
  Swatch Marker;
};

// A residual axis: symmetric about zero, so that the zero line sits in the middle and the sign
// of every residual reads at a glance.
Axis residualAxis(const std::vector<std::array<double, 2>>& points) {
  double largest = 0;
  for (const auto& p : points)
    largest = std::max(largest, std::fabs(p[1]));
  if (!(largest > 0) || !std::isfinite(largest)) largest = 1e-3;
  return niceAxis(-largest, largest);
}

}  // namespace

ResidualPicture residualPictureOf(const PairResiduals& residuals, Model model, Language lang,
                                  std::string_view decimalSeparator) {
  ResidualPicture picture;
  picture.Lang = lang;
  picture.DecimalSeparator = std::string(decimalSeparator);
  picture.Title = render(kResidualTitle, lang,
                         {residuals.Names[0], residuals.Names[1], std::string(modelName(model))});
  const std::string rms = render(residuals.Isothermal ? kResidualRmsP : kResidualRmsT, lang,
                                 {formatGeneral(residuals.RmsUnknown, 4, decimalSeparator)});
  picture.Subtitle = render(
      kResidualSubtitle, lang,
      {rms,
       residuals.RmsY1 ? formatGeneral(*residuals.RmsY1, 4, decimalSeparator) : std::string("-"),
       std::to_string(residuals.Points.size()), std::to_string(residuals.Measured)});
  picture.XAxis = render(kLiquidFractionAxis, lang, {residuals.Names[0]});
  picture.UnknownAxis = render(residuals.Isothermal ? kResidualPAxis : kResidualTAxis, lang);
  picture.Y1Axis = render(kResidualY1Axis, lang);
  for (const ResidualPoint& p : residuals.Points) {
    picture.Unknown.push_back({static_cast<double>(p.x1), static_cast<double>(p.Unknown)});
    if (p.Y1) picture.Y1.push_back({static_cast<double>(p.x1), static_cast<double>(*p.Y1)});
  }
  return picture;
}

void paintResidualPicture(QPainter& p, const QRectF& area, const ResidualPicture& picture) {
  const double s = scaleOf(area);
  const double f = std::max(s, 0.8);
  const QFont titleFont = fontOf(17 * f, true);
  const QFont subtitleFont = fontOf(14 * f);
  const QFont axisFont = fontOf(15 * f);
  const QFont tickFont = fontOf(13.5 * f);
  const QFontMetricsF titleMetrics(titleFont, p.device());
  const QFontMetricsF subtitleMetrics(subtitleFont, p.device());
  const QFontMetricsF axisMetrics(axisFont, p.device());
  const QFontMetricsF tickMetrics(tickFont, p.device());
  const std::string& sep = picture.DecimalSeparator;

  const Axis x{0.0, 1.0, 0.1, 1};
  const std::array<Panel, 2> panels{
      Panel{&picture.Unknown, qs(picture.UnknownAxis), DiagramColours::Dew, Swatch::Circle},
      Panel{&picture.Y1, qs(picture.Y1Axis), DiagramColours::Bubble, Swatch::Triangle}};
  const std::array<Axis, 2> ys{residualAxis(picture.Unknown), residualAxis(picture.Y1)};

  const double margin = 14 * s;
  const double tickLength = 6 * s;
  double widest = 0;
  for (const Axis& y : ys)
    for (const double v : y.ticks())
      widest = std::max(widest, tickMetrics.horizontalAdvance(tickLabel(v, y.decimals, sep)));
  const QString title = qs(picture.Title);
  const QRectF titleBox = titleMetrics.boundingRect(QRectF(0, 0, area.width() - 2 * margin, 1e6),
                                                    Qt::AlignHCenter | Qt::TextWordWrap, title);
  const double left =
      area.left() + margin + axisMetrics.height() + 10 * s + widest + tickLength + 5 * s;
  const double right = area.right() - margin - 10 * s;
  const double top = area.top() + margin + titleBox.height() + subtitleMetrics.height() + 18 * s;
  const double bottom = area.bottom() - margin - axisMetrics.height() - 8 * s -
                        tickMetrics.height() - tickLength - 4 * s;
  const double gap = tickMetrics.height() + tickLength + 16 * s;
  const double height = std::max(10.0, (bottom - top - gap) / 2);

  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(area, colour(DiagramColours::Background));
  for (std::size_t k = 0; k < panels.size(); ++k) {
    const Axis& y = ys[k];
    const QRectF plot(QPointF(left, top + static_cast<double>(k) * (height + gap)),
                      QSizeF(std::max(10.0, right - left), height));
    const auto map = [&](double vx, double vy) { return mapToPlot(plot, x, y, vx, vy); };
    drawGrid(p, plot, x, y, s);
    p.setPen(QPen(colour(DiagramColours::Diagonal), 1.4 * s));
    p.drawLine(map(x.min, 0), map(x.max, 0));  // calculated = measured
    for (const auto& point : *panels[k].Points)
      drawMarker(p, panels[k].Marker, panels[k].Rgb, map(point[0], point[1]), 0.9 * s);

    drawFrameAndTicks(p, plot, x, y, tickFont, tickLength, widest, sep, s);
    p.setFont(axisFont);
    p.save();
    p.translate(area.left() + margin, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), axisMetrics.height()),
               Qt::AlignHCenter | Qt::AlignVCenter, panels[k].Axis);
    p.restore();
  }
  p.setFont(axisFont);
  p.drawText(QRectF(left, area.bottom() - margin - axisMetrics.height(), right - left,
                    axisMetrics.height()),
             Qt::AlignHCenter | Qt::AlignVCenter, qs(picture.XAxis));
  p.setFont(titleFont);
  p.drawText(QRectF(area.left() + margin, area.top() + margin, area.width() - 2 * margin,
                    titleBox.height()),
             Qt::AlignHCenter | Qt::TextWordWrap, title);
  p.setFont(subtitleFont);
  p.drawText(QRectF(area.left() + margin, area.top() + margin + titleBox.height() + 4 * s,
                    area.width() - 2 * margin, subtitleMetrics.height()),
             Qt::AlignHCenter | Qt::AlignVCenter, qs(picture.Subtitle));
  p.restore();
}

QImage renderResidualImage(const ResidualPicture& picture, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour(DiagramColours::Background));
  QPainter painter(&image);
  paintResidualPicture(painter, QRectF(QPointF(0, 0), QSizeF(size)), picture);
  painter.end();
  return image;
}

void saveResidualPicture(const ResidualPicture& picture, const QString& path, QSize size,
                         RunFiles* run) {
  savePicture(
      path, size, qs(picture.Title), picture.Lang,
      [&](QPainter& painter, const QRectF& area) { paintResidualPicture(painter, area, picture); },
      run);
}

}  // namespace bubblix::plot
