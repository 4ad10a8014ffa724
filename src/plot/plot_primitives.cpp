#include "plot/plot_primitives.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "core/io/file_backup.h"
#include "core/io/number_format.h"
#include "core/texts/gui_texts.h"

namespace bubblix::plot {
namespace {

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

}  // namespace

QString qs(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
  return s.toUtf8().toStdString();
}

QColor colour(QRgb rgb, int alpha) {
  QColor c = QColor::fromRgb(rgb);
  c.setAlpha(alpha);
  return c;
}

// Every size of the drawing follows the area: 1 at 900 x 650 pixels.
double scaleOf(const QRectF& area) {
  return std::clamp(std::min(area.width() / 900.0, area.height() / 650.0), 0.45, 4.0);
}

QFont fontOf(double pixels, bool bold) {
  QFont font;
  font.setFamilies(
      {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(7, static_cast<int>(std::lround(pixels))));
  font.setBold(bold);
  return font;
}

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

QPen curvePen(QRgb rgb, double s, Qt::PenStyle style) {
  QPen pen(colour(rgb), 2.4 * s, style, Qt::RoundCap, Qt::RoundJoin);
  if (style != Qt::SolidLine) pen.setDashPattern({5.0, 4.0});
  return pen;
}

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

void savePicture(const QString& path, QSize size, const QString& title, Language lang,
                 const PictureFunction& paint, RunFiles* run) {
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
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour(DiagramColours::Background));
    QPainter painter(&image);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QImageWriter writer(&buffer, "png");
    written = writer.write(image);
  } else {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // At 96 dots per inch a browser shows the drawing at the size asked for.
    svg.setResolution(96);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Bubblix"));
    QPainter painter;
    written = painter.begin(&svg);
    if (written) {
      paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
      written = painter.end();
    }
  }
  buffer.close();
  if (!written || bytes.isEmpty()) {
    throw FileError(texts::kDiagramNotWritten,
                    {utf8(path), render(texts::kDiagramWriteFailed, lang)});
  }
  const std::string name = path.toLocal8Bit().toStdString();
  const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (run != nullptr) {
    run->save(name, FileRole::Diagram, content);
  } else {
    saveFileWithBackup(name, content);
  }
}

QPointF mapToPlot(const QRectF& plot, const Axis& x, const Axis& y, double vx, double vy) {
  return QPointF(plot.left() + (vx - x.min) / (x.max - x.min) * plot.width(),
                 plot.bottom() - (vy - y.min) / (y.max - y.min) * plot.height());
}

void drawGrid(QPainter& p, const QRectF& plot, const Axis& x, const Axis& y, double s) {
  p.setPen(QPen(colour(DiagramColours::Grid), 1.0 * s));
  for (const double v : x.ticks())
    p.drawLine(mapToPlot(plot, x, y, v, y.min), mapToPlot(plot, x, y, v, y.max));
  for (const double v : y.ticks())
    p.drawLine(mapToPlot(plot, x, y, x.min, v), mapToPlot(plot, x, y, x.max, v));
}

void drawFrameAndTicks(QPainter& p, const QRectF& plot, const Axis& x, const Axis& y,
                       const QFont& tickFont, double tickLength, double widest,
                       const std::string& separator, double s) {
  const QFontMetricsF tickMetrics(tickFont, p.device());
  p.setPen(QPen(colour(DiagramColours::Ink), 1.3 * s));
  p.setBrush(Qt::NoBrush);
  p.drawRect(plot);
  p.setFont(tickFont);
  for (const double v : x.ticks()) {
    const QPointF at = mapToPlot(plot, x, y, v, y.min);
    p.drawLine(at, at + QPointF(0, tickLength));
    p.drawText(QRectF(at.x() - 40 * s, at.y() + tickLength + 2 * s, 80 * s, tickMetrics.height()),
               Qt::AlignHCenter | Qt::AlignTop, tickLabel(v, x.decimals, separator));
  }
  for (const double v : y.ticks()) {
    const QPointF at = mapToPlot(plot, x, y, x.min, v);
    p.drawLine(at - QPointF(tickLength, 0), at);
    p.drawText(QRectF(at.x() - tickLength - 6 * s - widest, at.y() - tickMetrics.height() / 2,
                      widest + 2 * s, tickMetrics.height()),
               Qt::AlignRight | Qt::AlignVCenter, tickLabel(v, y.decimals, separator));
  }
}

}  // namespace bubblix::plot
