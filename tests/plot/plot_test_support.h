#pragma once
// Helpers of the diagram tests: parameter sets fitted to the built-in data, the pixels of a
// picture, and file contents.

#include <QFile>
#include <QIODevice>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <cmath>
#include <string>

#include "core/analysis/analysis_test_support.h"
#include "core/models/parameter_set.h"
#include "plot/diagram_painter.h"

namespace bubblix::plot {

inline constexpr QSize kSize{kDefaultDiagramWidth, kDefaultDiagramHeight};

inline bool near(QRgb pixel, QRgb colour, int tolerance) {
  return std::abs(qRed(pixel) - qRed(colour)) <= tolerance &&
         std::abs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
         std::abs(qBlue(pixel) - qBlue(colour)) <= tolerance;
}

// Pixels of `colour` (within `tolerance` per channel) inside `region`.
inline int countNear(const QImage& image, QRgb colour, int tolerance, QRect region = {}) {
  if (region.isNull()) region = image.rect();
  region = region.intersected(image.rect());
  int count = 0;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      count += near(image.pixel(x, y), colour, tolerance) ? 1 : 0;
  return count;
}

inline QRect around(QPointF p, int radius) {
  return QRect(static_cast<int>(std::lround(p.x())) - radius,
               static_cast<int>(std::lround(p.y())) - radius, 2 * radius + 1, 2 * radius + 1);
}

inline int nonBackground(const QImage& image) {
  return image.width() * image.height() - countNear(image, DiagramColours::Background, 0);
}

namespace test {

// The set of `model` fitted to the database system comp.a-comp.b.
inline TParameterSet fittedSet(int a, int b, Model model) {
  return bubblix::test::fitted(a, b, model).set;
}

// The whole content of a file (empty when it cannot be read).
inline std::string readFileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

inline void writeFileBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

}  // namespace test
}  // namespace bubblix::plot
