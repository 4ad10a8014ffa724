// The fitting session's paths for pairs without experimental data, reached with a database
// copy in which a pair has none; saving; the result records.

#include "core/session/fitting_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/units.h"
#include "core/fitting/fitting_objectives.h"
#include "core/io/file_backup.h"
#include "core/models/parameter_file.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

// The built-in database without the experimental data of the listed pairs.
Database withoutData(std::initializer_list<std::pair<int, int>> pairs) {
  Database db = buildDatabase();
  for (const auto& [a, b] : pairs)
    db.ExperimentalData[a - 1][b - 1] = TExperimentalSet{};
  return db;
}

std::vector<std::string> gridRow(const GridEntry& grid, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < grid.Cols; ++c)
    cells.push_back(grid.CellText[c][row]);
  return cells;
}

TEST(FittingSession, WilsonPairWithoutDataTakesTheUsersEntry) {
  const Database db = withoutData({{1, 2}});
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2\nmodel Wilson\nvariant 1\ngrid 1.5 -0.5\nno\n"
                        "variant 1\ncancel\n",
                        db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);  // no adequacy question for a pair without data

  ASSERT_EQ(run.requests.Variants.size(), 3u);
  const VariantRequest& question = run.requests.Variants[1];
  EXPECT_EQ(question.FormCaption, "Choice of variant");
  EXPECT_EQ(question.Prompt,
            "Experimental data on equilibrium in a system comp.1-comp.2 are absent.\r\n"
            "  Select one of the following variants:\r\n"
            "     1 -  set energy parameters of modelWilsonindependently;\r\n"
            "     2 - to complete activity of the program\r\n"
            "     3 - to repeat calculation with usage of UNIFAC method\r\n"
            "          (is recommended)");
  EXPECT_EQ(question.ItemCount, 3);
  EXPECT_EQ(question.Items[3], " variant 3");

  ASSERT_EQ(run.requests.Grids.size(), 2u);  // the entry grid, then the equilibrium grid
  const GridEntry& grid = run.requests.Grids[0];
  EXPECT_EQ(grid.FormCaption, "Input of power parameters for method Wilson");
  EXPECT_EQ(grid.ExtraHeight, 219);
  EXPECT_EQ(grid.FixedRows, 2);
  EXPECT_EQ(grid.Rows, 3);
  EXPECT_EQ(gridRow(grid, 0), (std::vector<std::string>{"    L12-L11", "    L21-L22"}));
  EXPECT_EQ(gridRow(grid, 1), (std::vector<std::string>{" kJ/mole;", " kJ/mole;"}));
  EXPECT_EQ(gridRow(grid, 2), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(grid.Prompt,
            "Enter  L12-L11  kJ/mole; (1- comp.1; 2- comp.2);\r\nEnter  L21-L22  kJ/mole;");

  EXPECT_EQ(run.line(2), "Power parameters of binary interaction of molecules (structural groups)");
  EXPECT_EQ(run.line(3), "component comp.1-comp.2 of model Wilson.");
  EXPECT_EQ(run.line(4), "Power parameters are set by the user");
  EXPECT_EQ(run.line(5), "  l12-l11 = 1.5 kJ/mole;  l21-l22 = -0.5 kJ/mole;");
  EXPECT_EQ(run.line(6), "");
  // Entered in kJ/mol, stored reduced.
  EXPECT_EQ(run.state.ParameterSet.WilsonEnergy[0][1], 1.5L / 2.27107836L);
  EXPECT_EQ(run.state.ParameterSet.WilsonEnergy[1][0], -0.5L / 2.27107836L);
  EXPECT_EQ(run.state.DataMissing, 1);
  EXPECT_EQ(run.findPrefix("        Vapour-liquid equilibrium"), -1);
  // Nothing is fitted: no status text but its clearing, messages processed once.
  EXPECT_EQ(run.requests.Statuses, (std::vector<std::string>{""}));
  EXPECT_EQ(run.requests.PendingMessages, 1);
}

TEST(FittingSession, NrtlAndUniquacEntryGrids) {
  const Database db = withoutData({{1, 2}});
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2\nmodel NRTL\nvariant 1\ngrid 2 3 0.3\nno\n"
                        "variant 1\ncancel\n",
                        db)
                .Outcome,
            SessionOutcome::Completed);
  ASSERT_EQ(run.requests.Grids.size(), 2u);  // the entry grid, then the equilibrium grid
  const GridEntry& nrtl = run.requests.Grids[0];
  EXPECT_EQ(nrtl.Cols, 3);
  EXPECT_EQ(gridRow(nrtl, 0),
            (std::vector<std::string>{"    g12-g22", "    g21-g22", "     alp12"}));
  EXPECT_EQ(gridRow(nrtl, 1), (std::vector<std::string>{" kJ/mole;", " kJ/mole;", ""}));
  EXPECT_EQ(nrtl.Prompt,
            "Enter  g12-g22  kJ/mole; (1- comp.1; 2- comp.2);\r\nEnter  g21-g22  kJ/mole;\r\n"
            "Enter  alp12");
  EXPECT_EQ(run.line(5), "  g12-g22 = 2 kJ/mole;  g21-g11 = 3 kJ/mole;  alp12=0.3");
  EXPECT_EQ(run.state.ParameterSet.NRTLAlpha[0][1], 0.3L);
  EXPECT_EQ(run.state.ParameterSet.NRTLAlpha[1][0], 0.3L);

  SessionRun russian(Language::Russian);
  ASSERT_EQ(russian
                .session("variant 1\ncomponents 1,2\nmodel UNIQUAC\nvariant 1\ngrid -1 4\nno\n"
                         "variant 1\ncancel\n",
                         db)
                .Outcome,
            SessionOutcome::Completed);
  const GridEntry& uniquac = russian.requests.Grids[0];
  EXPECT_EQ(uniquac.FormCaption, "Ввод энергетических параметров для метода UNIQUAC");
  EXPECT_EQ(gridRow(uniquac, 0), (std::vector<std::string>{"    u12-u22", "    u21-u22"}));
  EXPECT_EQ(gridRow(uniquac, 1), (std::vector<std::string>{" кДж/моль;", " кДж/моль;"}));
  EXPECT_EQ(uniquac.Prompt,
            "Введите  u12-u22  кДж/моль; (1- комп.1; 2- комп.2);\r\nВведите  u21-u22  кДж/моль;");
  EXPECT_EQ(russian.requests.Variants[1].Prompt,
            "  Экспериментальные данные по равновесию в системе комп.1-комп.2 отсутствуют.\r\n"
            "  Выберите один из следующих вариантов:\r\n"
            "     1 - задать энергетические параметры модели UNIQUAC самостоятельно;\r\n"
            "     2 - завершить работу программы\r\n"
            "     3 - повторить расчет с использованием метода UNIFAC\r\n"
            "          (рекомендуется)");
  EXPECT_EQ(russian.line(3), "компонентов комп.1-комп.2 модели UNIQUAC.");
  EXPECT_EQ(russian.line(4), "Энергетические параметры заданы пользователем");
  EXPECT_EQ(russian.line(5), "  u12-u22 = -1 кДж/моль;  u21-u11 = 4 кДж/моль;");
}

TEST(FittingSession, UnifacEntryGridsOfBothVariants) {
  const Database db = withoutData({{1, 2}});
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2\nmodel UNIFAC\nvariant 1\nvariant 1\n"
                        "variant 1\ngrid 10 20 30 40 50 60.5\nno\nvariant 1\ncancel\n",
                        db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_TRUE(run.requests.Variants[3].Prompt.ends_with(
      "     3 - to take advantage of Brandeck data from\r\n        reference literature (is "
      "recommended)"));
  // Main groups 1, 5 (comp.1) and 6 (comp.2): six ordered pairs.
  const GridEntry& grid = run.requests.Grids[0];
  EXPECT_EQ(grid.FormCaption, "Input of power parameters for method UNIFAC");
  EXPECT_EQ(gridRow(grid, 0), (std::vector<std::string>{"    a[1,5]", "    a[1,6]", "    a[5,1]",
                                                        "    a[5,6]", "    a[6,1]", "    a[6,5]"}));
  EXPECT_EQ(gridRow(grid, 1), std::vector<std::string>(6, "    degr.K;"));
  EXPECT_EQ(grid.Prompt,
            "Number of power parameters of interaction of groups 6\r\nEnter   a[1,5]  degr.K;  "
            "a[1,6]  degr.K;  a[5,1]  degr.K;  a[5,6]  degr.K;  a[6,1]  degr.K;  a[6,5]  "
            "degr.K;");
  EXPECT_EQ(run.line(5),
            "  a0[1,5]=  10.000  degr.K;  a0[1,6]=  20.000  degr.K;  a0[5,1]=  30.000  degr.K;  "
            "a0[5,6]=  40.000  degr.K;  a0[6,1]=  50.000  degr.K;  a0[6,5]=  60.500  degr.K;");
  // The set's groups 1A, 5A, 6: the entered values, reduced, in its interaction matrix.
  const TParameterSet& set = run.state.ParameterSet;
  ASSERT_EQ(set.GroupCount, 3);
  EXPECT_EQ(set.GroupInteraction[0][1], reducedFromKelvin(10.0L));
  EXPECT_EQ(set.GroupInteraction[1][0], reducedFromKelvin(30.0L));
  EXPECT_EQ(set.GroupInteraction[2][1], reducedFromKelvin(60.5L));

  // Variant 2 names the subgroups by number and letter.
  SessionRun subgroups;
  ASSERT_EQ(subgroups
                .session("variant 1\ncomponents 1,2\nmodel UNIFAC\nvariant 2\nvariant 1\n"
                         "grid 1 2 3 4 5 6\nno\nvariant 1\ncancel\n",
                         db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(gridRow(subgroups.requests.Grids[0], 0),
            (std::vector<std::string>{"    a[1A,5A]", "    a[1A,6 ]", "    a[5A,1A]",
                                      "    a[5A,6 ]", "    a[6 ,1A]", "    a[6 ,5A]"}));
  EXPECT_EQ(subgroups.line(5),
            "  a[1A,5A]=   1.000  degr.K;  a[1A,6 ]=   2.000  degr.K;  a[5A,1A]=   3.000  "
            "degr.K;  a[5A,6 ]=   4.000  degr.K;  a[6 ,1A]=   5.000  degr.K;  a[6 ,5A]=   "
            "6.000  degr.K;");
}

TEST(FittingSession, SwitchToUnifacRestartsThePairLoop) {
  TempDir dir;
  const Database db = withoutData({{1, 3}});
  SessionRun run;
  ASSERT_EQ(run.session("variant 1\ncomponents 1,2,3\nmodel Wilson\nvariant 3\n"
                        "variant 1\nvariant 1\nvariant 3\nyes\nfile " +
                            dir.file("mixture") + "\nvariant 1\ncancel\n",
                        db)
                .Outcome,
            SessionOutcome::Completed);
  EXPECT_EQ(run.leftOver, 0u);
  const std::string title =
      " Calculation of power parameters of intermolecular (intergroup)interaction.";
  EXPECT_EQ(run.count(title), 2);
  const int restart = run.find(title, 1);
  // Under Wilson: (1,2) fitted, (1,3) without data, its heading kept.
  EXPECT_EQ(run.line(restart - 1), "component comp.1-comp.3 of model Wilson");
  EXPECT_EQ(run.line(restart + 1), "");  // the blank after the title
  EXPECT_EQ(run.count("component comp.1-comp.2 of model UNIFAC and root-mean-square error of "
                      "calculation."),
            1);
  // (1,3) under UNIFAC: the literature values.
  const int literature = run.find("Power parameters are taken from references");
  ASSERT_GT(literature, restart);
  EXPECT_EQ(run.line(literature - 1), "component comp.1-comp.3 of model UNIFAC");
  EXPECT_TRUE(std::regex_match(run.line(literature + 1),
                               std::regex(R"((  a0\[\d+,\d+\]= *-?\d+\.\d{3}  degr\.K;)+)")))
      << run.line(literature + 1);
  EXPECT_GT(run.find("component comp.2-comp.3 of model UNIFAC and root-mean-square error of "
                     "calculation."),
            literature);
  EXPECT_GT(run.find("Equilibrium calculation method UNIFAC. The denotations:"), literature);
  EXPECT_EQ(run.state.FittedModel, Model::UNIFAC);
  // The saved file holds the UNIFAC set, offered under the name of the new method.
  EXPECT_EQ(run.requests.SaveFiles.at(0).FileName, "UNIFAC");
  const ParameterFileContents file =
      readParameterFile(std::filesystem::path(dir.file("mixture.dat")));
  EXPECT_EQ(file.set.ModelCode, Model::UNIFAC);
  EXPECT_EQ(file.set.GroupCount, run.state.ParameterSet.GroupCount);
  EXPECT_EQ(file.set.GroupInteraction, run.state.ParameterSet.GroupInteraction);
}

TEST(FittingSession, EndingTheProgramOrCancellingTheEntry) {
  const Database db = withoutData({{1, 2}});
  SessionRun run;
  SessionResult result = run.session("variant 1\ncomponents 1,2\nmodel NRTL\nvariant 2\n", db);
  EXPECT_EQ(result.Outcome, SessionOutcome::QuitRequested);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_EQ(run.requests.messagesOfKind(MessageKind::Confirmation), 0);  // no save question
  EXPECT_EQ(run.line(3), "component comp.1-comp.2 of model NRTL");
  EXPECT_EQ(run.state.ParameterSet, TParameterSet{});

  result = run.session("variant 1\ncomponents 1,2\nmodel NRTL\nvariant 1\ncancel\n", db);
  EXPECT_EQ(result.Outcome, SessionOutcome::Stopped);
  EXPECT_EQ(result.Message,
            "The calculation session has ended: the entry of the interaction parameters was "
            "cancelled");
  EXPECT_EQ(run.state.ParameterSet, TParameterSet{});
}

TEST(FittingSession, GroupsBeyondTheGridAreRefusedAndAskedAgain) {
  // comp.4 made of six more main groups: the pair comp.1-comp.4 has 8 main groups, 56
  // parameters, more than the grid's 25 columns.
  Database db = withoutData({{1, 4}});
  TComponentGroups& groups = db.ComponentBase[3].Groups;
  groups.Count = 6;
  const std::uint8_t mainGroups[6] = {2, 3, 4, 7, 8, 9};
  for (int k = 0; k < 6; ++k) {
    groups.IdsA[k] = mainGroups[k];
    groups.IdsB[k] = ' ';
    groups.Nu[k] = 1;
    groups.Q[k] = 1.0L;
    groups.R[k] = 1.0L;
  }
  SessionRun run;
  // The entry (choice 1) is refused for its size, the literature values (choice 3) because
  // the reference table holds none for these main groups; the run then ends (choice 2).
  ASSERT_EQ(run.session("variant 1\ncomponents 1,4\nmodel UNIFAC\nvariant 1\nvariant 1\n"
                        "variant 1\nvariant 3\nvariant 2\n",
                        db)
                .Outcome,
            SessionOutcome::QuitRequested);
  EXPECT_EQ(run.leftOver, 0u);
  EXPECT_NE(run.echo.str().find("Error: The pair comp.1-comp.4 has 56 group interaction "
                                "parameters; at most 25 can be entered by hand."),
            std::string::npos)
      << run.echo.str();
  EXPECT_NE(run.echo.str().find("Error: The UNIFAC literature values hold no interaction of "
                                "main groups 1 and 2 (system comp.1-comp.4)"),
            std::string::npos)
      << run.echo.str();
  EXPECT_EQ(run.find("Power parameters are taken from references"), -1);
}

TEST(FittingSession, ProgressLineCountsCallsAcrossSessionsAndEndsWithTheFitsResult) {
  // The progress line is refreshed every 200 objective calls, counted on from the fits before,
  // also those of an earlier session of the same run; when the fit ends it shows the final
  // iteration count and error, whatever the count was.
  const std::string script = "variant 1\ncomponents 1,2\nmodel NRTL\nno\nno\nvariant 1\ncancel\n";
  SessionRun fresh;
  ASSERT_EQ(fresh.session(script).Outcome, SessionOutcome::Completed);
  const std::string first = fresh.line(4);
  // Reference values of the NRTL fit of comp.1-comp.2: 42 iterations, E = 0.002474987594.
  EXPECT_EQ(first,
            " Number of iterations 42;  root-mean-square error for system comp.1-comp.2:  "
            "E = 0.002474987594");
  EXPECT_EQ(fresh.line(5).find(" Number of iterations "), std::string::npos) << fresh.line(5);
  const int count = fresh.state.FitCallCounter;
  EXPECT_GT(count, 0);
  EXPECT_LT(count, kProgressInterval);

  SessionRun again;
  again.state.FitCallCounter = static_cast<std::uint16_t>(count);
  ASSERT_EQ(again.session(script).Outcome, SessionOutcome::Completed);
  EXPECT_EQ(again.line(4), first);
  // The same calls counted on from `count`: 2 count modulo 200.
  EXPECT_EQ(again.state.FitCallCounter, (2 * count) % kProgressInterval);
}

TEST(FittingSession, SaveQuestionIsAskedOnceAndTheFileBackedUp) {
  TempDir dir;
  LineListReport report;
  SessionState state;
  state.InterfaceLanguage = Language::English;
  state.SelectedCount = 2;
  state.SelectedComponents = {1, 2, 0, 0};
  const auto fit = [&](std::string_view script, Requests& requests) {
    std::ostringstream echo;
    RecordingDialogs dialogs(script, echo, requests);
    return runFittingSession(dialogs, report, state, builtInDatabase());
  };
  const std::string question =
      "Wish to create the file of outcomes of calculation for usage in other programs ?";

  Requests declined;
  FittingResult result = fit("model Wilson\nno\n", declined);
  EXPECT_EQ(result.Session.Outcome, SessionOutcome::Completed);
  EXPECT_EQ(declined.confirmations(question), 1);
  EXPECT_TRUE(declined.SaveFiles.empty());
  EXPECT_FALSE(result.SavedFile);
  // The pair's record: what the result line shows and what the fit found.
  ASSERT_EQ(result.Pairs.size(), 1u);
  const PairParameters& pair = result.Pairs[0];
  EXPECT_EQ(pair.I, 1);
  EXPECT_EQ(pair.J, 2);
  EXPECT_EQ(pair.Source, ParameterSource::Fitted);
  EXPECT_EQ(pair.Labels, (std::vector<std::string>{"l12-l11", "l21-l22"}));
  ASSERT_EQ(pair.Values.size(), 2u);
  EXPECT_EQ(pair.Values[0], state.ParameterSet.WilsonEnergy[0][1]);
  EXPECT_EQ(pair.Display[1], kJPerMolFromReduced(state.ParameterSet.WilsonEnergy[1][0]));
  EXPECT_EQ(pair.Points, 52);
  EXPECT_GT(pair.Iterations, 0);
  EXPECT_GT(pair.Rms, 0.0L);
  EXPECT_LT(pair.Rms, 0.02L);

  Requests cancelled;
  result = fit("model Wilson\nyes\ncancel\n", cancelled);
  EXPECT_EQ(cancelled.confirmations(question), 1);
  EXPECT_FALSE(result.SavedFile);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path));

  const std::string path = dir.file("Wilson.dat");
  Requests saved;
  result = fit("model Wilson\nyes\nfile " + path + "\n", saved);
  EXPECT_EQ(saved.confirmations(question), 1);
  ASSERT_TRUE(result.SavedFile);
  EXPECT_EQ(*result.SavedFile, path);
  EXPECT_EQ(readParameterFile(std::filesystem::path(path)).set.WilsonEnergy,
            state.ParameterSet.WilsonEnergy);
  // Saving again under the same name keeps the earlier file as its back-up.
  Requests again;
  fit("model Wilson\nyes\nfile " + path + "\n", again);
  EXPECT_TRUE(std::filesystem::exists(backupName(path)));
}

}  // namespace
}  // namespace bubblix::session_test
