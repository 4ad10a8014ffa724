#pragma once
// The picture of the activity coefficients of a binary equilibrium data set: ln gamma1,
// ln gamma2 and ln(gamma1/gamma2) from the data (modified Raoult law) against x1 as markers,
// and the same three of the point test's Legendre series as curves (when the test could be
// completed). Drawn on a widget (a tab of the Diagram window), into a PNG picture or an SVG
// drawing (bubblix-diagram --kind gamma).

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/consistency.h"
#include "core/data/database.h"
#include "core/io/run_files.h"
#include "core/texts/text.h"
#include "plot/diagram_painter.h"

namespace bubblix::plot {

inline constexpr int kSeriesCurvePoints = 101;  // x1 = 0, 0.01, ..., 1

struct GammaPicture {
  std::string Title;
  std::string XAxis;
  std::string YAxis;
  // ln gamma1, ln gamma2, ln(gamma1/gamma2) of the data, then of the series.
  std::array<std::string, 6> Legends;
  std::vector<std::array<double, 4>> Measured;  // x1, ln gamma1, ln gamma2, ln ratio
  std::vector<std::array<double, 4>> Series;    // the same along the series; empty without
  std::vector<std::string> ReportLines;         // the consistency check's lines
  Language Lang = Language::English;
  std::string DecimalSeparator = ".";
};

// The picture of a check; names are those of components 1 and 2 in `lang`.
GammaPicture gammaPictureOf(const ConsistencyCheck& check, const std::array<std::string, 2>& names,
                            Language lang, std::string_view decimalSeparator = ".");

// The check of the built-in set of the pair (first is component 1) and its picture. Throws
// what builtInDataSet and checkConsistency throw.
GammaPicture computeGammaPicture(const Database& db, int first, int second, int terms,
                                 Language lang, std::string_view decimalSeparator = ".");

void paintGammaPicture(QPainter& painter, const QRectF& area, const GammaPicture& picture);
QImage renderGammaImage(const GammaPicture& picture,
                        QSize size = {kDefaultDiagramWidth, kDefaultDiagramHeight});
// Throws FileError as savePicture does; `run` as there.
void saveGammaPicture(const GammaPicture& picture, const QString& path,
                      QSize size = {kDefaultDiagramWidth, kDefaultDiagramHeight},
                      RunFiles* run = nullptr);

}  // namespace bubblix::plot
