// Whole calculation sessions driven by answer scripts, grouped by the path they take.

#include "core/session/calculation_session.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/analysis_test_support.h"
#include "core/analysis/fit_residuals.h"
#include "core/base/units.h"
#include "core/data/experimental_data.h"
#include "core/fitting/binary_fit_data.h"
#include "core/io/number_format.h"
#include "core/models/parameter_file.h"
#include "core/session/parameter_file_dialogs.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

const std::vector<std::string> kHeadingEn = {
    "       Calculation of an vapor-liquid  equilibrium in multi-component system.",
    "Equilibrium calculation method NRTL. The denotations:",
    "t boil.-boiling temperature of a mix, deg.C;  ",
    "P - pressure, mm of a hg.; X and Y- mole fractions of components in liquid and vapour "
    "phases."};

const std::vector<std::string> kEquilibriumHeaderEn = {
    "All densities of components are expressed in molar percents ",
    "                           Equilibrium structures of phases (% of molar)",
    "     Pabs     t boil/cond      comp.1      comp.1      comp.2      comp.2 ",
    " mm of hg.    degr.C         in liquid    in vapour    in liquid    in vapour  "};

constexpr int kRowLength = 115;  // "%8.2f %16.2f" and six "%14.nf" with their blanks

std::vector<std::string> slice(const std::vector<std::string>& lines, int from, int count) {
  if (from < 0 || from + count > static_cast<int>(lines.size())) return {};
  return {lines.begin() + from, lines.begin() + from + count};
}

TEST(CalculationSession, BinaryNrtlWritesFitHeadingAdequacyTableSummaryAndPoints) {
  SessionRun run;
  const SessionResult result = run.session(
      "variant 1\ncomponents 1,2\nmodel NRTL\nno\nyes\n"
      "variant 1 liquid\ngrid 760 30\ngrid 760 50\ncancel\n");
  ASSERT_EQ(result.Outcome, SessionOutcome::Completed) << result.Message;
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_EQ(run.requests.RunIndicator, (std::vector<bool>{true, false}));

  // The questions put, as the user sees them.
  ASSERT_GE(run.requests.Variants.size(), 2u);
  const VariantRequest& source = run.requests.Variants[0];
  EXPECT_EQ(source.FormCaption, "Choice of variant");
  EXPECT_EQ(source.Prompt,
            "  Wish to calculate power parameters of binary interactions of molecules\r\n "
            "(structural groups) components (variant 1), or to load their values\r\n from the "
            "file (variant 2)?");
  EXPECT_EQ(source.Items[1], " variant 1 (is recommended)");
  EXPECT_EQ(source.Items[2], " variant 2");
  ASSERT_EQ(run.requests.Components.size(), 1u);
  EXPECT_EQ(run.requests.Components[0].FormCaption, "Choice of componental ratio of mixture");
  EXPECT_EQ(run.requests.Components[0].ItemNames,
            (std::vector<std::string>{"comp.1", "comp.2", "comp.3", "comp.4"}));
  ASSERT_EQ(run.requests.Models.size(), 1u);
  EXPECT_EQ(run.requests.Models[0].FormCaption, "Choose of phase equilibrium calculation method");
  EXPECT_EQ(run.requests.Models[0].Prompt,
            "Choice of experimental data processing and\r\nphase equilibrium calculation method "
            "between\r\nvapour and liquid phases");
  EXPECT_EQ(run.requests.Models[0].WarnText, "Choose one of equilibrium calculation methods.");
  EXPECT_EQ(run.requests.confirmations("Wish to verify adequacy to model NRTL ?"), 1);

  const std::vector<std::string> lines = run.lines();
  // The fit: title, pair heading, progress line, result line.
  EXPECT_EQ(slice(lines, 0, 4),
            (std::vector<std::string>{
                " Calculation of power parameters of intermolecular (intergroup)interaction.", "",
                "Power parameters of binary interaction of molecules (structural groups)",
                "component comp.1-comp.2 of model NRTL and root-mean-square error of "
                "calculation."}));
  EXPECT_TRUE(run.line(4).starts_with(" Number of iterations ")) << run.line(4);
  EXPECT_NE(run.line(4).find(";  root-mean-square error for system comp.1-comp.2:  E = 0.00"),
            std::string::npos)
      << run.line(4);
  // The result line shows the stored parameters in kJ/mol, 6 significant digits.
  const TParameterSet& set = run.state.ParameterSet;
  EXPECT_EQ(
      run.line(5),
      "  g12-g22 = " + formatGeneral(kJPerMolFromReduced(set.NRTLEnergy[0][1]), 6) +
          " kJ/mole;  g21-g11 = " + formatGeneral(kJPerMolFromReduced(set.NRTLEnergy[1][0]), 6) +
          " kJ/mole;  alp12=" + formatGeneral(set.NRTLAlpha[0][1], 6));
  EXPECT_EQ(run.line(6), "");
  EXPECT_EQ(set.ModelCode, Model::NRTL);
  EXPECT_EQ(run.state.FittedModel, Model::NRTL);
  EXPECT_EQ(set.NRTLAlpha[0][1], set.NRTLAlpha[1][0]);

  EXPECT_EQ(slice(lines, 7, 4), kHeadingEn);
  EXPECT_EQ(run.line(11), "        Vapour-liquid equilibrium in the system  -comp.1-comp.2");
  EXPECT_EQ(run.line(12),
            "tboi(dg.C) P(mm. of hg) x1(% mol.) x1(% mas.) y1(% mol.) y1(% mas.) gamma1  gamma2");

  // One row per experimental point, against the data of the pair.
  TBinaryFitData data;
  loadExperimentalPoints(SelectExperimentalSet(builtInDatabase(), 1, 2), data);
  ASSERT_EQ(data.N, 52);
  const Real M1 = run.state.Components.MolarMasses[0];
  const Real M2 = run.state.Components.MolarMasses[1];
  double sumT = 0, sumP = 0, sumYP = 0;
  for (int k = 0; k < data.N; ++k) {
    const std::string& row = run.line(13 + k);
    ASSERT_EQ(row.size(), static_cast<std::size_t>(kRowLength)) << row;
    ASSERT_TRUE(isAdequacyRow(row)) << row;
    const std::vector<double> v = numbersOf(row);
    ASSERT_EQ(v.size(), 8u);
    const double x1 = static_cast<double>(data.x1[k]);
    EXPECT_NEAR(v[2], 100 * x1, 5e-5);  // the data's composition
    // Mass percent from the molar masses (rounding of %14.4f)
    const double mass = x1 == 0 ? 0 : 100 * x1 * M1 / (x1 * M1 + (1 - x1) * M2);
    EXPECT_NEAR(v[3], mass, 5e-5);
    // Plausible: boiling between the pure components' points, pressure near the data's
    EXPECT_GT(v[0], 77.0);
    EXPECT_LT(v[0], 101.0);
    EXPECT_NEAR(v[1], 760.0, 40.0);
    sumT += std::pow(static_cast<double>(celsiusFromTau(data.tau[k])) - v[0], 2);
    sumP += std::pow(v[1] - 760.0, 2);
    sumYP += std::pow(static_cast<double>(data.y1[k]) - v[4] / 100, 2);
  }
  // Pure component 2 (water) at the first point, pure component 1 at the last: gamma = 1.
  EXPECT_NEAR(numbersOf(run.line(13))[7], 1.0, 5e-6);
  EXPECT_NEAR(numbersOf(run.line(13 + 51))[6], 1.0, 5e-6);

  // The summary: its errors follow from the rows within their rounding.
  const int summary = 13 + data.N;
  EXPECT_EQ(run.line(summary), "Average square-law error of calculations (adequacy of model):");
  const std::regex second(
      R"( densities \(mole fract\.\)-     ?( *\d\.\d{5}) \(( *\d\.\d{5})\), temperature of )"
      R"(boiling \(degr\. C\) - ( *\d+\.\d{5}), )");
  std::smatch m;
  const std::string secondLine = run.line(summary + 1);
  ASSERT_TRUE(std::regex_match(secondLine, m, second)) << secondLine;
  EXPECT_EQ(secondLine.substr(0, 28), " densities (mole fract.)-   ");
  EXPECT_TRUE(run.line(summary + 2).starts_with("pressure (mm of a hg) -     "));
  const double eyT = std::stod(m[1]), eyP = std::stod(m[2]), eT = std::stod(m[3]);
  const double eP = numbersOf(run.line(summary + 2)).at(0);
  EXPECT_LT(eyT, 0.02);
  EXPECT_NEAR(eyP, std::sqrt(sumYP / 52), 1e-5);
  EXPECT_NEAR(eT, std::sqrt(sumT / 52), 0.006);
  EXPECT_NEAR(eP, std::sqrt(sumP / 52), 0.006);

  // The equilibrium dialogue: its header and one row per point.
  EXPECT_EQ(slice(lines, summary + 3, 4), kEquilibriumHeaderEn);
  ASSERT_EQ(static_cast<int>(lines.size()), summary + 3 + 4 + 2);
  for (const int at : {summary + 7, summary + 8}) {
    const std::string& row = run.line(at);
    ASSERT_TRUE(isEquilibriumRow(row, 2)) << row;
    const std::vector<double> v = numbersOf(row);
    EXPECT_EQ(v[0], 760.0);
    EXPECT_NEAR(v[3] + v[5], 100.0, 0.05);  // y sums to 1 within the solver's tolerance
  }
  EXPECT_EQ(numbersOf(run.line(summary + 7))[2], 30.0);
  EXPECT_EQ(numbersOf(run.line(summary + 7))[4], 70.0);
  EXPECT_EQ(numbersOf(run.line(summary + 8))[2], 50.0);
}

TEST(CalculationSession, AdequacyAnsweredNoKeepsTheTableWithoutSummary) {
  SessionRun run;
  ASSERT_EQ(
      run.session("variant 1\ncomponents 1,2\nmodel Wilson\nno\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  const int titles = run.findPrefix("tboi(dg.C)");
  ASSERT_GT(titles, 0);
  for (int k = 1; k <= 52; ++k)
    EXPECT_TRUE(isAdequacyRow(run.line(titles + k)));
  EXPECT_EQ(run.line(titles + 53), kEquilibriumHeaderEn[0]);
  EXPECT_EQ(run.findPrefix("Average square-law"), -1);
  // No point entered: the table has its header only.
  EXPECT_EQ(run.report.lineCount(), titles + 53 + 4);
}

TEST(CalculationSession, TernaryAndQuaternaryFitEveryPairInOrderWithoutAdequacy) {
  const auto pairs = [](const SessionRun& run) {
    std::vector<std::string> found;
    for (const std::string& line : run.lines()) {
      if (line.starts_with("component ")) found.push_back(line.substr(10, 13));
    }
    return found;
  };
  SessionRun run;
  // Neither asks the adequacy question: a yes/no line would be left over.
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2,3\nmodel NRTL\nno\nvariant 1\ncancel\n").Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_EQ(pairs(run),
            (std::vector<std::string>{"comp.1-comp.2", "comp.1-comp.3", "comp.2-comp.3"}));
  EXPECT_EQ(run.findPrefix("        Vapour-liquid equilibrium"), -1);
  EXPECT_EQ(run.requests.messagesOfKind(MessageKind::Confirmation), 1);  // the save question

  SessionRun four;
  ASSERT_EQ(
      four.session("variant 1\ncomponents all\nmodel Wilson\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  EXPECT_EQ(pairs(four),
            (std::vector<std::string>{"comp.1-comp.2", "comp.1-comp.3", "comp.1-comp.4",
                                      "comp.2-comp.3", "comp.2-comp.4", "comp.3-comp.4"}));
  EXPECT_EQ(four.findPrefix("        Vapour-liquid equilibrium"), -1);
  // From the heading straight to the equilibrium table.
  const int heading = four.findPrefix("       Calculation of an vapor-liquid");
  ASSERT_GT(heading, 0);
  EXPECT_EQ(four.line(heading + 4), kEquilibriumHeaderEn[0]);
  const TParameterSet& set = four.state.ParameterSet;
  EXPECT_EQ(set.ComponentCount, 4);
  EXPECT_EQ(set.Components, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(set.WilsonEnergy[i][i], 0.0L);
    for (int j = 0; j < 4; ++j) {
      if (i != j) {
        EXPECT_NE(set.WilsonEnergy[i][j], 0.0L) << i << "," << j;
      }
    }
  }
}

TEST(CalculationSession, UnifacLiteratureValuesWriteNoPairHeadings) {
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2\nmodel UNIFAC\nvariant 1\nvariant 2\nno\n"
                        "no\nvariant 1\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  ASSERT_GE(run.requests.Variants.size(), 3u);
  EXPECT_EQ(run.requests.Variants[1].FormCaption, "The definition of the parameter");
  EXPECT_EQ(run.requests.Variants[1].Items[1], " variant 1;");
  EXPECT_EQ(run.requests.Variants[2].FormCaption, "The definition of the parameter");
  EXPECT_TRUE(run.requests.Variants[2].Prompt.starts_with(
      "Wish to calculate coefficients of group\r\ninteraction on experimental datas"));
  EXPECT_EQ(run.line(0),
            " Calculation of power parameters of intermolecular (intergroup)interaction.");
  EXPECT_EQ(run.line(1), "");
  EXPECT_EQ(run.line(2), kHeadingEn[0]);
  EXPECT_EQ(run.line(3), "Equilibrium calculation method UNIFAC. The denotations:");
  EXPECT_EQ(run.findPrefix("Power parameters"), -1);
  // The set's groups: 1A and 5A of comp.1, 6 of comp.2, with the literature values.
  const TParameterSet& set = run.state.ParameterSet;
  const Database& db = builtInDatabase();
  ASSERT_EQ(set.GroupCount, 3);
  EXPECT_EQ(set.GroupIdsA[0], 1);
  EXPECT_EQ(set.GroupIdsA[1], 5);
  EXPECT_EQ(set.GroupIdsA[2], 6);
  EXPECT_EQ(set.GroupInteraction[0][1], db.ReferenceMainGroupTable[0][4]);
  EXPECT_EQ(set.GroupInteraction[2][1], db.ReferenceMainGroupTable[5][4]);
  // A binary pair with data: the adequacy table follows.
  EXPECT_GT(run.findPrefix("tboi(dg.C)"), 0);
}

TEST(CalculationSession, Variant2TakesTheMethodNameFromTheLoadedFile) {
  TempDir dir;
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2\nmodel NRTL\nyes\nfile " + dir.file("fit") +
                        "\nno\nvariant 1\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  ASSERT_EQ(run.requests.SaveFiles.size(), 1u);
  const FileRequest& save = run.requests.SaveFiles[0];
  EXPECT_EQ(save.Caption, "Saving file");
  EXPECT_EQ(save.Filter, "Datafiles|*.dat");
  EXPECT_EQ(save.DefaultExt, "dat");
  EXPECT_EQ(save.FileName, "NRTL");
  EXPECT_EQ(save.InitialDir, "");
  EXPECT_EQ(run.requests.confirmations(
                "Wish to create the file of outcomes of calculation for usage in other programs ?"),
            1);
  const TParameterSet nrtl = run.state.ParameterSet;

  // A later Wilson fit makes Wilson the last fitted model ...
  ASSERT_EQ(
      run.session("variant 1\ncomponents 1,2\nmodel Wilson\nno\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  ASSERT_EQ(run.state.FittedModel, Model::Wilson);
  // ... but the heading of a loaded set names the file's model.
  const int before = run.report.lineCount();
  ASSERT_EQ(
      run.session("variant 2\nfile " + dir.file("fit.dat") + "\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  ASSERT_EQ(run.requests.OpenFiles.size(), 1u);
  EXPECT_EQ(run.requests.OpenFiles[0].Caption, "Opening file");
  EXPECT_EQ(run.requests.OpenFiles[0].Filter, "Datafiles|*.dat");
  EXPECT_EQ(run.line(before), kHeadingEn[0]);
  EXPECT_EQ(run.line(before + 1), kHeadingEn[1]);
  EXPECT_EQ(run.state.ParameterSet.ModelCode, Model::NRTL);
  EXPECT_EQ(run.state.ParameterSet.NRTLEnergy, nrtl.NRTLEnergy);
  EXPECT_EQ(run.state.ParameterSet.NRTLAlpha, nrtl.NRTLAlpha);
  EXPECT_EQ(run.state.FittedModel, Model::Wilson);
  EXPECT_EQ(run.state.SelectedCount, 2);
}

TEST(CalculationSession, ALoadedUnifacSetGivesTheSameAdequacyTable) {
  TempDir dir;
  SessionRun fit;
  ASSERT_EQ(fit.session("variant 1\ncomponents 1,2\nmodel UNIFAC\nvariant 1\nvariant 2\nyes\n"
                        "file " +
                        dir.file("unifac.dat") + "\nyes\nvariant 1\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  SessionRun load;
  ASSERT_EQ(load.session("variant 2\nfile " + dir.file("unifac.dat") + "\nyes\nvariant 1\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  // Both runs start from a fresh state: the same set gives the same table, line for line.
  const int fitted = fit.findPrefix("        Vapour-liquid equilibrium");
  const int loaded = load.findPrefix("        Vapour-liquid equilibrium");
  ASSERT_GT(fitted, 0);
  ASSERT_EQ(loaded, 4);
  EXPECT_EQ(slice(load.lines(), loaded, 2 + 52 + 3), slice(fit.lines(), fitted, 2 + 52 + 3));
  EXPECT_EQ(load.line(1), "Equilibrium calculation method UNIFAC. The denotations:");

  // Without dialogs, as bubblix-cli checks a file: the same lines.
  SessionState state;
  state.InterfaceLanguage = Language::English;
  loadParameterFile(dir.file("unifac.dat"), state, builtInDatabase());
  const AdequacyTable table = checkAdequacy(state, builtInDatabase());
  EXPECT_TRUE(table.Complete);
  LineListReport report;
  writeAdequacyTable(report, table, state, true);
  EXPECT_EQ(report.lines(), slice(load.lines(), loaded, 2 + 52 + 3));
}

TEST(CalculationSession, FewerThanTwoComponentsAreAskedAgain) {
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 3\ncomponents 2,3\nmodel Wilson\nno\nno\n"
                        "variant 1\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.requests.Components.size(), 2u);
  EXPECT_EQ(run.echo.str(),
            "Warning: For calculation of vapor-liquid equilibrium choice not less than two "
            "components is required\n");
  EXPECT_EQ(run.line(3),
            "component comp.2-comp.3 of model Wilson and root-mean-square error of "
            "calculation.");
  EXPECT_EQ(run.state.SelectedComponents[0], 2);
  EXPECT_EQ(run.state.SelectedComponents[1], 3);
}

TEST(CalculationSession, BrokenParameterFileEndsTheSessionAndKeepsReportAndSet) {
  TempDir dir;
  SessionRun run;
  ASSERT_EQ(
      run.session("variant 1\ncomponents 1,2\nmodel Wilson\nno\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  const std::vector<std::string> report = run.lines();
  const TParameterSet set = run.state.ParameterSet;
  const std::array<std::string, 4> names = run.state.Components.ComponentNames;

  // An NRTL file of four components cut before its last pair.
  TParameterSet four;
  four.ModelCode = Model::NRTL;
  four.ComponentCount = 4;
  four.Components = {1, 2, 3, 4};
  std::vector<std::uint8_t> bytes = encodeParameterFile(four);
  bytes.resize(bytes.size() - 4 * kParameterFileBlockSize);
  writeBytes(dir.file("cut.dat"), bytes);
  SessionResult result = run.session("variant 2\nfile " + dir.file("cut.dat") + "\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Failed);
  EXPECT_EQ(result.Message, "Datafile " + dir.file("cut.dat") + " is not complete");
  EXPECT_EQ(run.echo.str(), "Error: " + result.Message + "\n");
  EXPECT_EQ(run.lines(), report);
  EXPECT_EQ(run.state.ParameterSet, set);
  EXPECT_EQ(run.state.Components.ComponentNames, names);
  EXPECT_EQ(run.requests.RunIndicator.back(), false);

  // Not a parameter file at all: the same English text in the Russian interface.
  run.state.InterfaceLanguage = Language::Russian;
  writeBytes(dir.file("x.dat"), std::vector<std::uint8_t>(160, 'X'));
  result = run.session("variant 2\nfile " + dir.file("x.dat") + "\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Failed);
  EXPECT_EQ(result.Message, "wrong parameter in DataFile");
  result = run.session("variant 2\nfile " + dir.file("none.dat") + "\n");
  EXPECT_EQ(result.Message,
            "Файл " + dir.file("none.dat") + " не найден: нет такого файла или папки");
  EXPECT_EQ(run.lines(), report);
  EXPECT_EQ(run.state.ParameterSet, set);
}

TEST(CalculationSession, RussianInterfaceWritesRussianTexts) {
  SessionRun run(Language::Russian);
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2\nmodel Wilson\nno\nyes\nvariant 2 vapour\n"
                        "grid 80 40\ncancel\n")
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.requests.Variants[0].FormCaption, "Выбор варианта");
  EXPECT_EQ(run.requests.Variants[0].Items[1], " вариант 1 (рекомендуется)");
  EXPECT_EQ(run.requests.Components[0].ItemNames[0], "комп.1");
  EXPECT_EQ(run.requests.Models[0].FormCaption, "Выбор метода расчета фазового равновесия");
  EXPECT_EQ(run.line(0),
            "Расчет энергетических параметров межмолекулярного (межгруппового) взаимодействия");
  EXPECT_EQ(run.line(2),
            "Энергетические параметры бинарных взаимодействий молекул (структурных групп)");
  EXPECT_EQ(run.line(3),
            "компонентов комп.1-комп.2 модели Wilson и среднеквадратичная погрешность расчетов.");
  EXPECT_TRUE(run.line(4).starts_with(" Число итераций ")) << run.line(4);
  const std::regex result(R"(  l12-l11 = \S+ кДж/моль;  l21-l22 = \S+ кДж/моль;)");
  EXPECT_TRUE(std::regex_match(run.line(5), result)) << run.line(5);
  EXPECT_EQ(slice(run.lines(), 7, 6),
            (std::vector<std::string>{
                "       Расчет равновесия между паром и жидкостью в многокомпонентной системе.",
                "Метод расчета равновесия Wilson. Обозначения:",
                "t кип.-температура кипения смеси, град.С;  ",
                "P - давление, мм.рт.ст.; X и Y- мольные доли компонентов в жидкой и паровой фазе.",
                "        Паро-жидкостное равновесие в системе  -комп.1-комп.2",
                "tкип(гр.C) P(мм.рт.ст.) x1(% мол.) x1(% вес.) y1(% мол.) y1(% вес.) gamma1  "
                "gamma2"}));
  EXPECT_EQ(run.requests.confirmations("Желаете проверить адекватность модели Wilson ?"), 1);
  const int summary = run.find("Средняя квадратичная погрешность расчетов (адекватность модели):");
  ASSERT_EQ(summary, 13 + 52);
  const std::regex second(
      R"( концентрации \(мольн\.доли\)-  ( *\d\.\d{5})  \(( *\d\.\d{5})\), температуры )"
      R"(кипения \(град\.C\) -  ( *\d+\.\d{5}), )");
  EXPECT_TRUE(std::regex_match(run.line(summary + 1), second)) << run.line(summary + 1);
  EXPECT_TRUE(run.line(summary + 2).starts_with("давления (мм.рт.ст.) -       "));
  EXPECT_EQ(slice(run.lines(), summary + 3, 4),
            (std::vector<std::string>{
                "Все концентрации компонентов выражены в мольных процентах   ",
                "                                    Равновесные составы фаз в (% мольн.)",
                "     Pабс     t кип/конд       комп.1      комп.1      комп.2      комп.2 ",
                " мм рт.ст.    град.C         в жидк.     в паре      в жидк.     в паре   "}));
  // Pressure at 80 degC for a vapour of 40 % comp.1: the vapour is given.
  const std::vector<double> row = numbersOf(run.line(summary + 7));
  EXPECT_EQ(row[1], 80.0);
  EXPECT_EQ(row[3], 40.0);
  EXPECT_EQ(row[5], 60.0);
}

TEST(CalculationSession, EndingWithoutParametersOrModel) {
  // Variant 2 cancelled before any parameter set exists: nothing to calculate.
  SessionRun run;
  SessionResult result = run.session("variant 2\ncancel\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Stopped);
  EXPECT_EQ(run.echo.str(),
            "Warning: The calculation session has ended: no parameter file was chosen and there "
            "is no parameter set from an earlier calculation\n");
  EXPECT_EQ(run.report.lineCount(), 0);

  // The model dialog's Exit: no fitting, the state as it was, and the user is told so.
  run.echo.str("");
  result = run.session("variant 1\ncomponents 1,2\nmodel exit\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Stopped);
  EXPECT_EQ(run.echo.str(),
            "Warning: The calculation session has ended: no calculation method was chosen\n");
  EXPECT_EQ(run.report.lineCount(), 0);
  EXPECT_FALSE(run.state.FittedModel.has_value());
  EXPECT_EQ(run.state.ParameterSet, TParameterSet{});

  // With a set from an earlier fit, a cancelled file dialog uses it again.
  ASSERT_EQ(
      run.session("variant 1\ncomponents 1,3\nmodel UNIQUAC\nno\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  const int before = run.report.lineCount();
  ASSERT_EQ(run.session("variant 2\ncancel\nno\nvariant 1\ncancel\n").Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.line(before + 1), "Equilibrium calculation method UNIQUAC. The denotations:");
  EXPECT_EQ(run.line(before + 4),
            "        Vapour-liquid equilibrium in the system  -comp.1-comp.3");
}

TEST(CalculationSession, ClosingTheComponentDialogEndsTheSessionQuietly) {
  SessionRun run;
  ASSERT_EQ(
      run.session("variant 1\ncomponents 1,3\nmodel UNIQUAC\nno\nno\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  const std::vector<std::string> report = run.lines();
  const TParameterSet set = run.state.ParameterSet;
  run.echo.str("");
  // Even after a refused tick: the close box is the user leaving, not a wrong answer.
  const SessionResult result = run.session("variant 1\ncomponents 2\nclose\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Stopped);
  EXPECT_EQ(result.Message, "");
  EXPECT_EQ(run.echo.str(),
            "Warning: For calculation of vapor-liquid equilibrium choice not less than two "
            "components is required\n");
  EXPECT_EQ(run.lines(), report);
  EXPECT_EQ(run.state.ParameterSet, set);
  EXPECT_EQ(run.state.FittedModel, Model::UNIQUAC);
}

TEST(CalculationSession, DescendingComponentsAreCheckedAgainstMirroredData) {
  TempDir dir;
  SessionRun run;
  ASSERT_EQ(
      run.session("variant 1\ncomponents 1,2\nmodel Wilson\nno\nyes\nvariant 1\ncancel\n").Outcome,
      SessionOutcome::Completed);
  const int table = run.findPrefix("tboi(dg.C)");
  const std::vector<std::string> ascending = slice(run.lines(), table + 1, 52 + 3);

  // The same parameters for the mixture written as comp.2, comp.1.
  TParameterSet swapped = run.state.ParameterSet;
  swapped.Components = {2, 1, 0, 0};
  std::swap(swapped.WilsonEnergy[0][1], swapped.WilsonEnergy[1][0]);
  writeBytes(dir.file("swapped.dat"), encodeParameterFile(swapped));
  SessionRun other;
  ASSERT_EQ(
      other.session("variant 2\nfile " + dir.file("swapped.dat") + "\nyes\nvariant 1\ncancel\n")
          .Outcome,
      SessionOutcome::Completed);
  EXPECT_EQ(other.find("        Vapour-liquid equilibrium in the system  -comp.2-comp.1"), 1 + 3);
  const int mirroredTable = other.findPrefix("tboi(dg.C)");
  const std::vector<std::string> descending = slice(other.lines(), mirroredTable + 1, 52 + 3);
  ASSERT_EQ(descending.size(), ascending.size());
  // Point by point the same mixture: the first component's shares are the complements and
  // the activity coefficients change places. The boiling point is the solver's last
  // evaluation, within 0.02 degC of the root.
  for (int k = 0; k < 52; ++k) {
    const std::vector<double> a = numbersOf(ascending[k]);
    const std::vector<double> d = numbersOf(descending[k]);
    ASSERT_EQ(d.size(), 8u) << descending[k];
    EXPECT_NEAR(d[0], a[0], 0.02) << k;
    EXPECT_NEAR(d[1], a[1], 0.05) << k;
    EXPECT_NEAR(d[2], 100 - a[2], 1e-4) << k;
    EXPECT_NEAR(d[4], 100 - a[4], 0.02) << k;
    EXPECT_NEAR(d[6], a[7], 2e-3) << k;
    EXPECT_NEAR(d[7], a[6], 2e-3) << k;
  }
  EXPECT_EQ(descending[52], ascending[52]);  // the summary's title
}

TEST(CalculationSession, AdequacyPointFailureEndsTheTableAndTheSessionGoesOn) {
  // Wilson a12 = -15000, far from any mixture: exp(-a12 / tau) overflows below 87.6 degC, so
  // the boiling temperature of the second point (x1 = 0.01) has no value at either start point
  // nor at the fallback's, and cannot be found.
  TempDir dir;
  TParameterSet set;
  set.ModelCode = Model::Wilson;
  set.ComponentCount = 2;
  set.Components = {1, 2, 0, 0};
  set.WilsonEnergy[0][1] = -15000.0L;
  set.WilsonEnergy[1][0] = -5.0L;
  writeBytes(dir.file("w.dat"), encodeParameterFile(set));
  SessionRun run;
  // The equilibrium point asked afterwards, pure comp.2 at 1500 mm Hg (120 degC), has values.
  const SessionResult result = run.session("variant 2\nfile " + dir.file("w.dat") +
                                           "\nyes\nvariant 1\ngrid 1500 0\ncancel\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_TRUE(run.echo.str().starts_with(
      "Error: The adequacy table ends at experimental point 2, which could not be calculated: "
      "Boiling temperature at P = 101308 Pa, x = (0.01; 0.99)"))
      << run.echo.str();
  const int titles = run.findPrefix("tboi(dg.C)");
  EXPECT_TRUE(isAdequacyRow(run.line(titles + 1)));
  // No summary for an incomplete table; the equilibrium dialogue follows.
  EXPECT_EQ(run.line(titles + 2), kEquilibriumHeaderEn[0]);
  EXPECT_EQ(run.report.lineCount(), titles + 2 + 4 + 1) << run.echo.str();
}

TEST(CalculationSession, AbortOnSlowConvergenceEndsTheSessionKeepingTheReport) {
  SessionRun run;
  run.options.IterationLimit = 20;  // the UNIQUAC fit of comp.1-comp.2 needs hundreds
  const SessionResult result =
      run.session("variant 1\ncomponents 1,2\nmodel UNIQUAC\nretry\nabort\n");
  EXPECT_EQ(result.Outcome, SessionOutcome::Failed);
  EXPECT_TRUE(result.Message.starts_with("The gradient method was stopped by the user after "))
      << result.Message;
  int questions = 0;
  for (const MessageRequest& m : run.requests.Messages) {
    if (m.Buttons != MessageButtons::AbortRetry) continue;
    ++questions;
    EXPECT_EQ(m.Kind, MessageKind::Confirmation);
    EXPECT_EQ(m.Text,
              "Слишком медленная сходимость градиентного метода. Желаете\r\nпродолжить "
              "вычисления? Или закончить работу процедуры?");
  }
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(run.echo.str(), "Error: " + result.Message + "\n");
  // The heading stays; the cursor and the status are restored.
  EXPECT_EQ(run.line(3),
            "component comp.1-comp.2 of model UNIQUAC and root-mean-square error of calculation.");
  EXPECT_FALSE(run.busyAtEnd);
  EXPECT_EQ(run.requests.BusyChanges, (std::vector<bool>{true, false}));
  EXPECT_EQ(run.requests.Statuses.back(), "");
  EXPECT_FALSE(run.state.FittedModel.has_value());  // no set from an unfinished fit
}

TEST(CalculationSession, ScriptErrorsPassThroughWithTheReportKept) {
  SessionRun run;
  EXPECT_THROW(run.session("variant 1\ncomponents 1,2\nmodel Wilson\nno\n"), AnswerScriptError);
  EXPECT_GT(run.find("Equilibrium calculation method Wilson. The denotations:"), 0);
  EXPECT_EQ(run.requests.RunIndicator.back(), false);
}

// The residual pictures (analysis/fit_residuals.h) take the same solver, start rule and data.
TEST(AdequacyCheck, ItsTemperatureErrorsAreTheResidualsOfTheFit) {
  // The same solver, start rule and data: the RMS of t is the adequacy summary's e_T. Both
  // bubble points are converged to |sum y - 1| <= 1e-9, which moves t by far less than 1e-6 K.
  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC}) {
    SCOPED_TRACE(std::string(modelName(model)));
    const bubblix::test::BinaryCase& fitted = bubblix::test::fitted(1, 2, model);
    const PairResiduals r = pairResiduals(builtInDatabase(), fitted.set, 0, 1, Language::English);
    SessionState state;
    state.InterfaceLanguage = Language::English;
    state.ParameterSet = fitted.set;
    state.Components = fitted.mixture;
    state.SelectedCount = 2;
    const AdequacyTable table = checkAdequacy(state, builtInDatabase());
    ASSERT_TRUE(table.Complete);
    ASSERT_EQ(static_cast<int>(r.Points.size()), table.PointCount);
    EXPECT_NEAR(r.RmsUnknown, table.E_T, 1e-6L);
    // Each residual is the table's temperature less the data's.
    const ExperimentalPoints data = pairExperimentalPoints(builtInDatabase(), 1, 2);
    for (std::size_t k = 0; k < r.Points.size(); ++k) {
      EXPECT_NEAR(r.Points[k].Unknown, table.Rows[k].TemperatureC - celsiusFromTau(data.tau[k]),
                  1e-6L);
    }
  }
}

}  // namespace
}  // namespace bubblix::session_test
