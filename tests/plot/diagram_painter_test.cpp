// The phase diagrams drawn by bubblix_plot: pictures, SVG drawings, their layout.

#include "plot/diagram_painter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "plot/diagram_data.h"
#include "plot/plot_test_support.h"

namespace bubblix::plot {
namespace {

// The diagrams of the NRTL set fitted to comp.1-comp.2, computed once.
const DiagramData& nrtl12() {
  static const DiagramData data = computeDiagram(
      builtInDatabase(), test::fittedSet(1, 2, Model::NRTL), std::nullopt, Language::English);
  return data;
}

struct Drawn {
  QImage image;
  DiagramLayout layout;
};

Drawn draw(const DiagramData& data, DiagramView view, QSize size = kSize) {
  Drawn out{QImage(size, QImage::Format_RGB32), {}};
  out.image.fill(Qt::white);
  QPainter painter(&out.image);
  out.layout = paintDiagram(painter, QRectF(QPointF(0, 0), QSizeF(size)), data, view);
  return out;
}

TEST(DiagramPicture, TxyShowsBothCurvesTheMeasuredPointsAndTheAzeotrope) {
  const DiagramData& data = nrtl12();
  ASSERT_EQ(data.Analysis.Azeotropes.size(), 1u);
  ASSERT_FALSE(data.Analysis.Diagram.Measured.empty());
  const Drawn d = draw(data, DiagramView::Main);
  // Not blank: the frame, curves, markers and texts cover a few per cent of the picture.
  EXPECT_GT(nonBackground(d.image), kSize.width() * kSize.height() / 25);
  // Both curves are drawn in their colours (a 2.4-pixel line over hundreds of pixels).
  EXPECT_GT(countNear(d.image, DiagramColours::Bubble, 10), 800);
  EXPECT_GT(countNear(d.image, DiagramColours::Dew, 10), 800);

  // The curves pass where the layout maps their points: the bubble point at x1 = 0.3 and the
  // dew point at y1 = 0.3 (points 30 of the 101-point curves).
  const auto& bubble = data.Analysis.Diagram.Bubble.Points;
  const auto& dew = data.Analysis.Diagram.Dew.Points;
  ASSERT_EQ(bubble.size(), 101u);
  ASSERT_EQ(dew.size(), 101u);
  const auto shown = [](const EquilibriumPoint& p) {
    return static_cast<double>(celsiusFromTau(p.tau));
  };
  EXPECT_GT(countNear(d.image, DiagramColours::Bubble, 10,
                      around(d.layout.map(0.3, shown(bubble[30])), 2)),
            0);
  EXPECT_GT(
      countNear(d.image, DiagramColours::Dew, 10, around(d.layout.map(0.3, shown(dew[30])), 2)), 0);
  // The azeotrope's diamond is filled with its colour at the azeotrope.
  const Azeotrope& a = data.Analysis.Azeotropes[0];
  const QPointF at = d.layout.map(static_cast<double>(a.Point.x1), shown(a.Point));
  EXPECT_GT(countNear(d.image, DiagramColours::Azeotrope, 12, around(at, 2)), 4);
}

TEST(DiagramPicture, AxesHoldEveryPointOnRoundTicksAndTheLegendHidesNone) {
  for (const DiagramView view : {DiagramView::Main, DiagramView::Xy}) {
    SCOPED_TRACE(view == DiagramView::Main ? "t-x-y" : "y-x");
    const DiagramData& data = nrtl12();
    const Drawn d = draw(data, view);
    const DiagramLayout& l = d.layout;
    // The labelled ticks: a step of 1, 2 or 5 times a power of ten, 4 to 11 of them inside
    // the axis.
    const double mantissa = l.YStep / std::pow(10.0, std::floor(std::log10(l.YStep)));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                std::abs(mantissa - 5) < 1e-9)
        << l.YStep;
    const double ticks =
        std::floor(l.YMax / l.YStep + 1e-9) - std::ceil(l.YMin / l.YStep - 1e-9) + 1;
    EXPECT_GE(ticks, 4);
    EXPECT_LE(ticks, 11);
    EXPECT_EQ(l.XMin, 0.0);
    EXPECT_EQ(l.XMax, 1.0);

    // Every plotted point lies inside the frame and outside the legend's box.
    const PlotPoints points = viewPoints(data, view);
    int checked = 0;
    auto check = [&](const QPointF& value) {
      const QPointF p = l.map(value.x(), value.y());
      EXPECT_TRUE(l.Plot.adjusted(-0.5, -0.5, 0.5, 0.5).contains(p))
          << value.x() << " " << value.y();
      EXPECT_FALSE(l.Legend.contains(p)) << value.x() << " " << value.y();
      ++checked;
    };
    for (const auto* runs : {&points.BubbleSegments, &points.DewSegments})
      for (const auto& run : *runs)
        for (const QPointF& q : run)
          check(q);
    for (const auto* list : {&points.MeasuredLiquid, &points.MeasuredVapour, &points.Azeotropes})
      for (const QPointF& q : *list)
        check(q);
    EXPECT_GT(checked, 150);
    EXPECT_TRUE(l.LegendInside);
  }
}

TEST(DiagramPicture, YxHasTheDiagonalAndTheModelCurveAboveItBelowTheAzeotrope) {
  const Drawn d = draw(nrtl12(), DiagramView::Xy);
  const DiagramLayout& l = d.layout;
  EXPECT_EQ(l.YMin, 0.0);
  EXPECT_EQ(l.YMax, 1.0);
  // The dashed diagonal: grey pixels along y1 = x1 from 0.4 to 0.6 (dashes and gaps alike).
  int grey = 0;
  for (int k = 0; k <= 40; ++k) {
    const double x = 0.4 + k * 0.005;
    grey += countNear(d.image, DiagramColours::Diagonal, 12, around(l.map(x, x), 1)) > 0 ? 1 : 0;
  }
  EXPECT_GT(grey, 15);
  EXPECT_LT(grey, 41);  // a dashed line has gaps
  // No diagonal under the model curve's colour there: y1(0.5) is about 0.65.
  EXPECT_EQ(countNear(d.image, DiagramColours::Bubble, 10, around(l.map(0.5, 0.5), 2)), 0);
  // The curve at x1 = 0.57, between two measured points (whose markers are white inside).
  const EquilibriumPoint& p = nrtl12().Analysis.Diagram.Bubble.Points[57];
  EXPECT_GT(countNear(d.image, DiagramColours::Bubble, 10,
                      around(l.map(static_cast<double>(p.x1), static_cast<double>(p.y1)), 2)),
            0);
}

TEST(DiagramPicture, ACurveIsBrokenWhereAPointCouldNotBeSolved) {
  // A made-up bubble curve t = 100 - 20 x1 with the point x1 = 0.5 unsolved.
  DiagramData data;
  PhaseDiagram& diagram = data.Analysis.Diagram;
  diagram.At = Condition::atPressure(kDefaultDiagramPressure);
  diagram.Bubble.Bubble = true;
  diagram.Dew.Bubble = false;
  for (int k = 0; k <= 10; ++k) {
    const Real x = static_cast<Real>(k) / 10.0L;
    if (k == 5) {
      diagram.Bubble.Skipped.push_back(x);
      continue;
    }
    diagram.Bubble.Points.push_back(
        {x, x, tauFromCelsius(100.0L - 20.0L * x), kDefaultDiagramPressure});
  }
  diagram.Bubble.Requested = 11;
  TParameterSet set;
  set.ModelCode = Model::NRTL;
  data.Labels = makeDiagramLabels(diagram, set, {"A", "B"}, Language::English);
  const Drawn d = draw(data, DiagramView::Main);
  // Drawn from 0 to 0.4 and from 0.6 to 1, nothing over the gap.
  EXPECT_GT(countNear(d.image, DiagramColours::Bubble, 10, around(d.layout.map(0.3, 94), 2)), 0);
  EXPECT_GT(countNear(d.image, DiagramColours::Bubble, 10, around(d.layout.map(0.7, 86), 2)), 0);
  EXPECT_EQ(countNear(d.image, DiagramColours::Bubble, 60, around(d.layout.map(0.5, 90), 6)), 0);
}

TEST(DiagramPicture, TheLegendGoesBesideThePlotWhenEveryCornerHoldsData) {
  // A made-up bubble curve zig-zagging between 0 and 100 degC every 0.05 of x1 passes through
  // all four corners.
  DiagramData data;
  PhaseDiagram& diagram = data.Analysis.Diagram;
  diagram.At = Condition::atPressure(kDefaultDiagramPressure);
  diagram.Dew.Bubble = false;
  for (int k = 0; k <= 20; ++k) {
    const Real x = static_cast<Real>(k) / 20.0L;
    diagram.Bubble.Points.push_back(
        {x, x, tauFromCelsius(k % 2 == 0 ? 0.0L : 100.0L), kDefaultDiagramPressure});
  }
  diagram.Bubble.Requested = 21;
  TParameterSet set;
  set.ModelCode = Model::Wilson;
  data.Labels = makeDiagramLabels(diagram, set, {"A", "B"}, Language::English);
  const Drawn d = draw(data, DiagramView::Main);
  EXPECT_FALSE(d.layout.LegendInside);
  EXPECT_GT(d.layout.Legend.left(), d.layout.Plot.right());
  EXPECT_TRUE(QRectF(d.image.rect()).contains(d.layout.Legend));
  // The legend's entries are drawn there: the bubble curve's sample line.
  EXPECT_GT(countNear(d.image, DiagramColours::Bubble, 10, d.layout.Legend.toRect()), 20);
}

TEST(DiagramPicture, TheLiquidSplitRangeIsAShadedBand) {
  // NRTL fitted to comp.2-comp.4 predicts two liquids over a range of x1.
  const DiagramData data = computeDiagram(builtInDatabase(), test::fittedSet(2, 4, Model::NRTL),
                                          std::nullopt, Language::English);
  ASSERT_EQ(data.Analysis.LiquidSplit.size(), 1u);
  const SplitRange& range = data.Analysis.LiquidSplit[0];
  const Drawn d = draw(data, DiagramView::Xy);
  const DiagramLayout& l = d.layout;
  const double middle = static_cast<double>(range.From.x1 + range.To.x1) / 2;
  // Tinted inside the band near the bottom of the plot (below the diagonal and the curve),
  // white outside it at the same height.
  const QRgb inside = d.image.pixel(l.map(middle, 0.03).toPoint());
  EXPECT_FALSE(near(inside, DiagramColours::Background, 3));
  EXPECT_GT(qBlue(inside), qGreen(inside));  // the band's purple
  const double outsideX = range.To.x1 < 0.9L ? 0.97 : 0.03;
  // (avoid the vertical grid lines at tenths)
  const QRgb outside = d.image.pixel(l.map(outsideX + 0.005, 0.03).toPoint());
  EXPECT_TRUE(near(outside, DiagramColours::Background, 3)) << std::hex << outside;
  // The legend names the range.
  EXPECT_EQ(splitLegendText(data, range).rfind("Two liquids (model): 0.", 0), 0u)
      << splitLegendText(data, range);
}

TEST(DiagramFile, PngAndSvgOfTheRequestedSize) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("txy.png"));
  const QString svg = dir.filePath(QStringLiteral("xy.SVG"));
  saveDiagram(nrtl12(), DiagramView::Main, png, QSize(640, 480));
  saveDiagram(nrtl12(), DiagramView::Xy, svg);
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(640, 480));
  EXPECT_GT(nonBackground(image), 640 * 480 / 25);

  const std::string text = test::readFileBytes(svg);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.find("<svg"), std::string::npos);
  const auto count = [&text](const std::string& element) {
    std::size_t n = 0;
    for (std::size_t at = text.find(element); at != std::string::npos;
         at = text.find(element, at + 1))
      ++n;
    return n;
  };
  // The azeotrope's diamond is a path; the lines (curve, diagonal, grid, ticks) are polylines
  // and the measured points circles, one each.
  EXPECT_GE(count("<path"), 2u);
  EXPECT_GE(count("<polyline"), 2u + 9u + 9u + 11u + 11u);
  EXPECT_GE(count("<circle"), nrtl12().Analysis.Diagram.Measured.size());
  EXPECT_NE(text.find("y-x at P = 760.00 mm Hg"), std::string::npos);
  // 900 x 650 pixels at 96 dots per inch.
  EXPECT_NE(text.find("width=\"238.125mm\" height=\"171.979mm\""), std::string::npos);
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 900, 650));
}

TEST(DiagramFile, OtherEndingsAndUnwritablePathsAreRefusedWithTheFileName) {
  QTemporaryDir dir;
  const QString jpg = dir.filePath(QStringLiteral("t.jpg"));
  try {
    saveDiagram(nrtl12(), DiagramView::Main, jpg);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.message(Language::English),
              "The diagram file " + jpg.toStdString() + " must end in .png or .svg");
  }
  EXPECT_FALSE(QFile::exists(jpg));
  const QString missing = dir.filePath(QStringLiteral("no/such/folder/t.png"));
  try {
    saveDiagram(nrtl12(), DiagramView::Main, missing);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.message(Language::Russian),
              "Файл " + missing.toStdString() + " не удается записать: нет такого файла или папки");
  }
}

}  // namespace
}  // namespace bubblix::plot
