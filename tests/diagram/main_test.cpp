// The program bubblix-diagram, which draws the diagram of a parameter file without a display.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "core/data/user_data.h"
#include "core/io/run_files.h"
#include "core/models/example_sets.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_file_save.h"
#include "plot/plot_test_support.h"

namespace bubblix::plot {
namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string out, err;
};

ProgramRun runDiagram(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses offscreen itself
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(BUBBLIX_DIAGRAM_PROGRAM), args);
  EXPECT_TRUE(process.waitForFinished(60000));
  ProgramRun run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

class DiagramProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    params_ = dir_.filePath(QStringLiteral("NRTL.dat"));
    const std::vector<std::uint8_t> bytes = encodeParameterFile(test::fittedSet(1, 2, Model::NRTL));
    test::writeFileBytes(params_, std::string(bytes.begin(), bytes.end()));
  }
  QString file(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  QString params_;
};

TEST_F(DiagramProgram, DrawsEachKindWithoutADisplay) {
  const ProgramRun txy =
      runDiagram({"--params", params_, "--out", file(QStringLiteral("txy.png"))});
  EXPECT_EQ(txy.exitCode, 0) << txy.err;
  EXPECT_EQ(txy.err, "");
  const QImage image(file(QStringLiteral("txy.png")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), kSize);
  EXPECT_GT(nonBackground(image), kSize.width() * kSize.height() / 25);
  EXPECT_GT(countNear(image, DiagramColours::Dew, 10), 800);

  const ProgramRun pxy = runDiagram({"--params", params_, "--out", file(QStringLiteral("p.png")),
                                     "--kind", "pxy", "--t", "80", "--size", "640x480"});
  EXPECT_EQ(pxy.exitCode, 0) << pxy.err;
  EXPECT_EQ(QImage(file(QStringLiteral("p.png"))).size(), QSize(640, 480));

  const ProgramRun xy = runDiagram({"--params", params_, "--out", file(QStringLiteral("xy.svg")),
                                    "--kind", "xy", "--lang", "ru"});
  EXPECT_EQ(xy.exitCode, 0) << xy.err;
  const std::string svg = test::readFileBytes(file(QStringLiteral("xy.svg")));
  EXPECT_NE(svg.find("<path"), std::string::npos);
  EXPECT_NE(svg.find("y-x при P = 760,00 мм рт.ст., модель NRTL"), std::string::npos);

  // The activity coefficients of the built-in comp.3-comp.1 data, without a parameter file.
  const ProgramRun gamma = runDiagram({"--kind", "gamma", "--components", "3,1", "--m", "2",
                                       "--out", file(QStringLiteral("gamma.svg"))});
  EXPECT_EQ(gamma.exitCode, 0) << gamma.err;
  const std::string drawing = test::readFileBytes(file(QStringLiteral("gamma.svg")));
  EXPECT_NE(drawing.find("<path"), std::string::npos);
  EXPECT_NE(drawing.find("comp.3-comp.1 and the point test"), std::string::npos);
}

// The user's own data: a parameter file of library components, drawn at the pressure of the
// one loaded set with its points; the ln gamma of a library pair from its loaded set; a
// library number without the library is a wrong command line.
TEST_F(DiagramProgram, DrawsWithALibraryAndLoadedSets) {
  const std::string examples = BUBBLIX_EXAMPLES_DIR;
  const QString library = QString::fromStdString(examples + "/benzene-cyclohexane.json");
  const QString set500 = QString::fromStdString(examples + "/benzene-cyclohexane-500.csv");
  const Database db = loadUserData(library.toStdString(), {});
  // docs/data-sets.md: the NRTL parameters that generated the examples.
  const TParameterSet set = bubblix::test::benzeneCyclohexaneGeneratingSet();
  const QString params = file(QStringLiteral("BC.dat"));
  RunFiles run;
  saveParameterFileTo(params.toStdString(), set, db, run);

  const ProgramRun txy = runDiagram({"--params", params, "--library", library, "--data", set500,
                                     "--out", file(QStringLiteral("bc.svg"))});
  EXPECT_EQ(txy.exitCode, 0) << txy.err;
  const std::string svg = test::readFileBytes(file(QStringLiteral("bc.svg")));
  EXPECT_NE(svg.find("benzene-cyclohexane: t-x-y at P = 500.00 mm Hg"), std::string::npos);
  // Without the library the file's components are unknown: refused, naming the problem.
  const ProgramRun alone = runDiagram({"--params", params, "--out", file(QStringLiteral("x.png"))});
  EXPECT_EQ(alone.exitCode, 1);
  EXPECT_NE(alone.err, "");

  // --data may be given twice; the gamma picture of the library pair from its sets.
  const ProgramRun gamma =
      runDiagram({"--kind", "gamma", "--components", "6,5", "--library", library, "--data", set500,
                  "--data", QString::fromStdString(examples + "/benzene-cyclohexane-760.csv"),
                  "--out", file(QStringLiteral("g.svg"))});
  EXPECT_EQ(gamma.exitCode, 0) << gamma.err;
  EXPECT_NE(test::readFileBytes(file(QStringLiteral("g.svg"))).find("cyclohexane"),
            std::string::npos);
  const ProgramRun noLibrary = runDiagram(
      {"--kind", "gamma", "--components", "5,6", "--out", file(QStringLiteral("n.svg"))});
  EXPECT_EQ(noLibrary.exitCode, 2);
  EXPECT_NE(noLibrary.err.find("--components does not take 5"), std::string::npos) << noLibrary.err;
  const ProgramRun twice =
      runDiagram({"--kind", "gamma", "--components", "1,2", "--library", library, "--library",
                  library, "--out", file(QStringLiteral("t.svg"))});
  EXPECT_EQ(twice.exitCode, 2);
}

TEST_F(DiagramProgram, WrongCommandLinesGiveStatus2AndTheUsage) {
  struct Case {
    QStringList args;
    std::string message;
  };
  const QString out = file(QStringLiteral("d.png"));
  const std::vector<Case> cases{
      {{}, "bubblix-diagram: The option --params is required"},
      {{"--params", params_}, "bubblix-diagram: The option --out is required"},
      {{"--params", params_, "--out", out, "--kind", "pxy"},
       "bubblix-diagram: The kind pxy needs the temperature: --t CELSIUS"},
      {{"--params", params_, "--out", out, "--t", "80"},
       "bubblix-diagram: The kind txy is drawn at the pressure of the data; --t applies to pxy "
       "and xy"},
      {{"--params", params_, "--out", out, "--kind", "tx"},
       "bubblix-diagram: The option --kind does not take tx: it takes txy, xy, pxy, gamma, "
       "residuals"},
      {{"--params", params_, "--out", out, "--kind", "pxy", "--t", "eighty"},
       "bubblix-diagram: The option --t does not take eighty: it takes a number of °C above "
       "-273.15"},
      {{"--params", params_, "--out", out, "--kind", "pxy", "--t", "0x50"},
       "bubblix-diagram: The option --t does not take 0x50: it takes a number of °C above "
       "-273.15"},
      {{"--params", params_, "--out", out, "--size", "100x100"},
       "bubblix-diagram: The option --size does not take 100x100: it takes WIDTHxHEIGHT in "
       "pixels, each from 200 to 8000"},
      {{"--params", params_, "--out", out, "--width", "5"},
       "bubblix-diagram: Unknown option --width"},
      {{"--params", params_, "--params", params_},
       "bubblix-diagram: The option --params is given twice"},
      {{"--params", params_, "--out"}, "bubblix-diagram: The option --out needs a value"},
      {{"--lang", "ru", "--params", params_}, "bubblix-diagram: Параметр --out обязателен"},
      {{"--kind", "gamma", "--out", out}, "bubblix-diagram: The option --components is required"},
      {{"--kind", "gamma", "--components", "2,2", "--out", out},
       "bubblix-diagram: The option --components does not take 2,2: it takes two different "
       "component numbers 1 to 4 (5 to 16: those of --library), e.g. 1,2"},
      {{"--kind", "gamma", "--components", "1,17", "--out", out},
       "bubblix-diagram: The option --components does not take 1,17: it takes two different "
       "component numbers 1 to 4 (5 to 16: those of --library), e.g. 1,2"},
      {{"--kind", "gamma", "--components", "1,2", "--params", params_, "--out", out},
       "bubblix-diagram: The kind gamma is drawn from the data of --components I,J (their loaded "
       "data sets, else the built-in data): it takes no --params and no --t"},
      {{"--kind", "gamma", "--components", "1,2", "--m", "6", "--out", out},
       "bubblix-diagram: The option --m does not take 6: it takes a whole number from 1 to 5"},
      {{"--params", params_, "--components", "1,2", "--out", out},
       "bubblix-diagram: --components applies to the kinds gamma and residuals only, --m to "
       "gamma only"},
      {{"--kind", "residuals", "--components", "1,2", "--out", out},
       "bubblix-diagram: The option --params is required"},
      {{"--kind", "residuals", "--params", params_, "--t", "80", "--out", out},
       "bubblix-diagram: The kind residuals is drawn at the data's own conditions: it takes no "
       "--t and no --m"},
      {{"--kind", "residuals", "--params", params_, "--m", "2", "--out", out},
       "bubblix-diagram: The kind residuals is drawn at the data's own conditions: it takes no "
       "--t and no --m"},
      {{"--kind", "residuals", "--params", params_, "--components", "1", "--out", out},
       "bubblix-diagram: The option --components does not take 1: it takes two different "
       "component numbers 1 to 4 (5 to 16: those of --library), e.g. 1,2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const ProgramRun run = runDiagram(c.args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.message);
    // Then the usage, in the language asked.
    EXPECT_NE(run.err.find("--params"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("[--kind txy|xy|pxy]"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(QFile::exists(out));
  const ProgramRun help = runDiagram({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("Usage: bubblix-diagram --params FILE.dat", 0), 0u) << help.out;
}

// The residuals of a set against its pairs' data: a binary set's only pair, the pair of a
// ternary set that --components names; a ternary set without it, a pair the set does not hold
// or one without data are refused with status 1 and nothing written.
TEST_F(DiagramProgram, DrawsTheResidualsOfAPair) {
  const ProgramRun png = runDiagram({"--kind", "residuals", "--params", params_, "--out",
                                     file(QStringLiteral("r.png")), "--size", "800x600"});
  EXPECT_EQ(png.exitCode, 0) << png.err;
  EXPECT_EQ(png.err, "");
  const QImage image(file(QStringLiteral("r.png")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(800, 600));
  // The markers: the t residuals in the dew colour, the y1 residuals in the bubble colour.
  EXPECT_GT(countNear(image, DiagramColours::Dew, 10), 100);
  EXPECT_GT(countNear(image, DiagramColours::Bubble, 10), 100);

  const ProgramRun svg = runDiagram({"--kind", "residuals", "--params", params_, "--lang", "ru",
                                     "--out", file(QStringLiteral("r.svg"))});
  EXPECT_EQ(svg.exitCode, 0) << svg.err;
  const std::string drawing = test::readFileBytes(file(QStringLiteral("r.svg")));
  EXPECT_NE(drawing.find("<title>Невязки, расчет − опыт: комп.1 – комп.2, NRTL"),
            std::string::npos);

  TParameterSet ternary = test::fittedSet(1, 2, Model::NRTL);
  ternary.ComponentCount = 3;
  ternary.Components[2] = 3;
  ternary.NRTLAlpha[0][2] = ternary.NRTLAlpha[2][0] = 0.3L;
  ternary.NRTLAlpha[1][2] = ternary.NRTLAlpha[2][1] = 0.3L;
  const QString three = file(QStringLiteral("three.dat"));
  const std::vector<std::uint8_t> bytes = encodeParameterFile(ternary);
  test::writeFileBytes(three, std::string(bytes.begin(), bytes.end()));
  const ProgramRun pair = runDiagram({"--kind", "residuals", "--params", three, "--components",
                                      "3,1", "--out", file(QStringLiteral("r13.svg"))});
  EXPECT_EQ(pair.exitCode, 0) << pair.err;
  EXPECT_NE(test::readFileBytes(file(QStringLiteral("r13.svg"))).find("comp.1 – comp.3, NRTL"),
            std::string::npos);

  const QString out = file(QStringLiteral("none.png"));
  const ProgramRun noPair = runDiagram({"--kind", "residuals", "--params", three, "--out", out});
  EXPECT_EQ(noPair.exitCode, 1);
  EXPECT_EQ(noPair.err,
            "bubblix-diagram: The parameter set holds 3 components: --components I,J chooses the "
            "pair\n");
  const ProgramRun notInSet =
      runDiagram({"--kind", "residuals", "--params", params_, "--components", "1,4", "--out", out});
  EXPECT_EQ(notInSet.exitCode, 1);
  EXPECT_EQ(notInSet.err, "bubblix-diagram: The parameter set does not hold the pair 1,4\n");
  EXPECT_FALSE(QFile::exists(out));
}

TEST_F(DiagramProgram, UnreadableOrUnsuitableSetsAndFilesGiveStatus1AndNameTheProblem) {
  const QString out = file(QStringLiteral("d.png"));
  const QString missing = file(QStringLiteral("none.dat"));
  const ProgramRun noFile = runDiagram({"--params", missing, "--out", out});
  EXPECT_EQ(noFile.exitCode, 1);
  EXPECT_NE(noFile.err.find(missing.toStdString()), std::string::npos) << noFile.err;

  // A three-component set.
  TParameterSet ternary = test::fittedSet(1, 2, Model::NRTL);
  ternary.ComponentCount = 3;
  ternary.Components[2] = 3;
  ternary.NRTLAlpha[0][2] = ternary.NRTLAlpha[2][0] = 0.3L;
  ternary.NRTLAlpha[1][2] = ternary.NRTLAlpha[2][1] = 0.3L;
  const QString three = file(QStringLiteral("three.dat"));
  const std::vector<std::uint8_t> bytes = encodeParameterFile(ternary);
  test::writeFileBytes(three, std::string(bytes.begin(), bytes.end()));
  const ProgramRun notBinary = runDiagram({"--params", three, "--out", out, "--lang", "ru"});
  EXPECT_EQ(notBinary.exitCode, 1);
  EXPECT_EQ(notBinary.err,
            "bubblix-diagram: Для диаграмм и поиска азеотропа нужен набор параметров бинарной "
            "смеси; в этом наборе 3 компонентов\n");

  // Nothing solved: no picture, status 1.
  const ProgramRun cold =
      runDiagram({"--params", params_, "--out", out, "--kind", "pxy", "--t", "-273"});
  EXPECT_EQ(cold.exitCode, 1);
  EXPECT_EQ(cold.err.rfind("bubblix-diagram: No bubble point at t = -273.00 °C could be solved", 0),
            0u)
      << cold.err;
  EXPECT_FALSE(QFile::exists(out));

  const ProgramRun jpg = runDiagram({"--params", params_, "--out", file(QStringLiteral("d.jpg"))});
  EXPECT_EQ(jpg.exitCode, 1);
  EXPECT_NE(jpg.err.find("must end in .png or .svg"), std::string::npos) << jpg.err;
  EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace bubblix::plot
