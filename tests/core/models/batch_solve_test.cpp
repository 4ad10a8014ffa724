// Batch mode: header checks, one row per point with bad points reported in place, rows that
// are SolveEquilibrium's results.

#include "core/models/batch_solve.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/seventeen_digits.h"
#include "core/models/model_test_support.h"
#include "core/models/solvers.h"
#include "core/texts/batch_texts.h"

namespace bubblix {
namespace {

// The fields of a CSV row (quotes removed, doubled quotes undone).
std::vector<std::string> csvFields(const std::string& row) {
  std::vector<std::string> fields(1);
  bool inQuotes = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (inQuotes && c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      inQuotes = !inQuotes;
    } else if (c == ',' && !inQuotes) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    out.push_back(line);
  return out;
}

struct Batch {
  Mixture mixture;
  TParameterSet set;
  std::string output;
  BatchSummary summary;

  Batch(std::initializer_list<int> components, Model model)
      : mixture(test::mixtureOf(components)),
        set(test::modelSet(model, mixture, static_cast<int>(components.size()))) {}

  std::vector<std::string> run(const std::string& input, Language lang = Language::English) {
    std::istringstream in(input);
    std::ostringstream out;
    summary = solveBatch(in, out, set, mixture, lang);
    output = out.str();
    return lines(output);
  }
};

std::string exact(Real value) {
  char buffer[kSeventeenDigitsLength];
  return std::string(buffer, formatSeventeenDigits(value, buffer));
}

TEST(BatchSolve, HeaderMustNameTheColumnsOfTheMixture) {
  Batch batch({1, 2}, Model::Wilson);
  // Accepted: any case, blanks, quotes, a byte-order mark and CR LF.
  EXPECT_EQ(batch.run("\xEF\xBB\xBF Task ,\"PHASE\",value,c1\r\n")[0],
            "t_c,p_mmhg,x1,x2,y1,y2,gamma1,gamma2,error,warning");
  EXPECT_EQ(batch.summary.Points, 0u);

  for (const char* header : {"task,phase,value", "task,phase,value,c1,c2", "task,phase,t,c1",
                             "phase,task,value,c1", "task;phase;value;c1"}) {
    SCOPED_TRACE(header);
    std::istringstream in(std::string(header) + "\nT,liquid,760,30\n");
    std::ostringstream out;
    try {
      solveBatch(in, out, batch.set, batch.mixture, Language::English);
      ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
      EXPECT_EQ(&e.text(), &texts::kBatchWrongHeader);
      EXPECT_EQ(e.args().at(0), "task,phase,value,c1");
      EXPECT_EQ(e.args().at(1), header);
    }
    EXPECT_EQ(out.str(), "") << "nothing is written before the header is accepted";
  }
  std::istringstream empty("");
  std::ostringstream out;
  EXPECT_THROW(solveBatch(empty, out, batch.set, batch.mixture, Language::English), InputError);

  Batch four({1, 2, 3, 4}, Model::NRTL);
  EXPECT_EQ(four.run("task,phase,value,c1,c2,c3\n")[0],
            "t_c,p_mmhg,x1,x2,x3,x4,y1,y2,y3,y4,gamma1,gamma2,gamma3,gamma4,error,warning");
}

TEST(BatchSolve, BadPointsGetTheirMessageAndTheBatchGoesOn) {
  Batch batch({1, 2}, Model::Wilson);
  const std::vector<std::string> rows = batch.run(
      "task,phase,value,c1\n"
      "T,liquid,760,30\n"      // line 2: solved
      "T,liquid,760\n"         // 3: a field missing
      "Q,liquid,760,30\n"      // 4: unknown task
      "T,gas,760,30\n"         // 5: unknown phase
      "T,liquid,7.6e2.5,30\n"  // 6: not a number
      "T,liquid,nan,30\n"      // 7: not a number
      "T,liquid,0,30\n"        // 8: pressure not above 0
      "P,liquid,-273.15,30\n"  // 9: at absolute zero
      "T,liquid,760,100.5\n"   // 10: percent above 100
      "P,liquid,3000,30\n"     // 11: the solver fails (comp.1 has no density at 3000 degC)
      "\n"                     // 12: empty line inside the input
      "p,VAPOR,60,50\n"        // 13: solved
      "T,liquid,760, \n"       // 14: a percent left empty
      "\n\n");                 // empty lines at the end: no rows
  ASSERT_EQ(rows.size(), 14u);
  EXPECT_EQ(batch.summary.Points, 13u);
  EXPECT_EQ(batch.summary.Solved, 2u);
  EXPECT_EQ(batch.summary.Failed, 11u);
  const std::vector<std::string> expected = {
      "line 3: 3 fields instead of 4 (task,phase,value,c1)",
      "line 4: task \"Q\" is neither T nor P",
      "line 5: phase \"gas\" is neither liquid nor vapour",
      "line 6: value \"7.6e2.5\" is not a number",
      "line 7: value \"nan\" is not a number",
      "line 8: the pressure must be greater than zero: 0 mm Hg",
      "line 9: the temperature must be above absolute zero (-273.15 °C): -273.15 °C",
      "line 10: the mole percent c1 must lie between 0 and 100: 100.5"};
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const std::vector<std::string> fields = csvFields(rows[2 + k]);
    ASSERT_EQ(fields.size(), 10u) << rows[2 + k];
    for (std::size_t f = 0; f < 8; ++f)
      EXPECT_EQ(fields[f], "") << rows[2 + k];
    EXPECT_EQ(fields[8], expected[k]);
    EXPECT_EQ(fields[9], "");  // no warning without a point
  }
  EXPECT_EQ(csvFields(rows[13])[8], "line 14: c1 is empty; the point needs it");
  EXPECT_TRUE(csvFields(rows[10])[8].starts_with("line 11: ")) << rows[10];
  EXPECT_EQ(csvFields(rows[11])[8], "line 12: empty line, no point");
  EXPECT_EQ(csvFields(rows[1])[8], "");
  EXPECT_EQ(csvFields(rows[12])[8], "");
}

TEST(BatchSolve, SumOfPercentsLongLinesAndRussianMessages) {
  Batch batch({1, 2, 3}, Model::UNIQUAC);
  const std::string longLine = "T,liquid,760," + std::string(5000, '1') + "\n";
  const std::vector<std::string> rows = batch.run(
      "task,phase,value,c1,c2\n"
      "T,liquid,760,60,40.5\n" +
          longLine + "T,liquid,760,60,40\n",
      Language::Russian);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(csvFields(rows[1])[11],
            "строка 2: сумма мольных процентов равна 100.5, больше 100: для компонента 3 ничего "
            "не остается");
  EXPECT_EQ(csvFields(rows[2])[11], "строка 3: длиннее 4095 символов");
  // Percents adding up to exactly 100 leave the last component nothing, and solve.
  const std::vector<std::string> last = csvFields(rows[3]);
  EXPECT_EQ(last[11], "");
  EXPECT_EQ(last[4], "0");  // x3
}

// The rows hold what SolveEquilibrium gives for the same point with the dialogue's start
// values, to every digit shown.
TEST(BatchSolve, RowsAreTheResultsOfSolveEquilibrium) {
  struct Case {
    std::initializer_list<int> components;
    Model model;
    const char* line;
    char task;
    char phase;
    Real value;
    std::vector<Real> percents;
  };
  const Case cases[] = {
      {{1, 2}, Model::Wilson, "T,liquid,760,30", 'T', 'y', 760.0L, {30.0L}},
      {{1, 2}, Model::NRTL, "P,liquid,35.5,80", 'P', 'y', 35.5L, {80.0L}},
      {{1, 2}, Model::UNIFAC, "T,vapour,1200,45", 'T', 'x', 1200.0L, {45.0L}},
      {{1, 2, 3, 4},
       Model::UNIQUAC,
       "P,vapour,70,10,20,30",
       'P',
       'x',
       70.0L,
       {10.0L, 20.0L, 30.0L}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Batch batch(c.components, c.model);
    const int n = static_cast<int>(c.components.size());
    const std::vector<std::string> rows = batch.run(batchInputHeader(n) + "\n" + c.line + "\n");
    ASSERT_EQ(rows.size(), 2u);
    const std::vector<std::string> fields = csvFields(rows[1]);
    ASSERT_EQ(fields.size(), static_cast<std::size_t>(4 + 3 * n));

    Real tau = 0.0L;
    Real P = 0.0L;
    Real A = 30.0L;
    Real B = c.value > 40.0L ? 760.0L : 360.0L;
    if (c.task == 'T') {
      P = mmHgToPa(c.value);
      A = 1.01L;
      B = P > 133300.0L ? 1.4L : 1.2L;
    } else {
      tau = tauFromCelsius(c.value);
    }
    CompositionVector x{};
    CompositionVector y{};
    CompositionVector gamma{};
    CompositionVector& given = c.phase == 'y' ? x : y;
    Real sum = 0.0L;
    for (int k = 0; k < n - 1; ++k) {
      given[k] = c.percents[k] / 100.0L;
      sum += given[k];
    }
    given[n - 1] = 1.0L - sum;
    ASSERT_TRUE(
        SolveEquilibrium(batch.mixture, c.task, c.phase, A, B, tau, P, batch.set, x, gamma, y)
            .converged());
    std::vector<std::string> expected = {exact(celsiusFromTau(tau)), exact(paToMmHg(P))};
    for (const CompositionVector* v : {&x, &y, &gamma}) {
      for (int k = 0; k < n; ++k)
        expected.push_back(exact((*v)[k]));
    }
    expected.push_back("");  // no error
    expected.push_back("");  // within the property data
    EXPECT_EQ(fields, expected);
  }
}

// A stream that refuses every character.
class FullDevice : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(BatchSolve, AFailedWriteIsAFileError) {
  Batch batch({1, 2}, Model::Wilson);
  std::istringstream in("task,phase,value,c1\nT,liquid,760,30\n");
  FullDevice device;
  std::ostream out(&device);
  EXPECT_THROW(solveBatch(in, out, batch.set, batch.mixture, Language::English), FileError);
}

}  // namespace
}  // namespace bubblix
