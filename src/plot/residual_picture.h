#pragma once
// The picture of a pair's residuals (analysis/fit_residuals.h): above, the residuals of the
// bubble temperature (or, for an isothermal set, of the bubble pressure) against x1; below, the
// residuals of y1; each calculated - measured, with the zero line. Drawn on a widget (a tab of
// the Diagram window, a tab of the Residuals window), into a PNG picture or an SVG drawing
// (bubblix-diagram --kind residuals).

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/fit_residuals.h"
#include "core/io/run_files.h"
#include "core/models/model.h"
#include "core/texts/text.h"
#include "plot/diagram_painter.h"

namespace bubblix::plot {

struct ResidualPicture {
  std::string Title;
  std::string Subtitle;  // the RMS values and the points solved
  std::string XAxis;
  std::string UnknownAxis;  // Δt, K or ΔP, mm Hg
  std::string Y1Axis;
  std::vector<std::array<double, 2>> Unknown;  // x1, residual
  std::vector<std::array<double, 2>> Y1;       // x1, residual
  Language Lang = Language::English;
  std::string DecimalSeparator = ".";
};

ResidualPicture residualPictureOf(const PairResiduals& residuals, Model model, Language lang,
                                  std::string_view decimalSeparator = ".");

void paintResidualPicture(QPainter& painter, const QRectF& area, const ResidualPicture& picture);
QImage renderResidualImage(const ResidualPicture& picture,
                           QSize size = {kDefaultDiagramWidth, kDefaultDiagramHeight});
// Throws FileError as savePicture does; `run` as there.
void saveResidualPicture(const ResidualPicture& picture, const QString& path,
                         QSize size = {kDefaultDiagramWidth, kDefaultDiagramHeight},
                         RunFiles* run = nullptr);

}  // namespace bubblix::plot
