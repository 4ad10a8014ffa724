// Faults of the sessions found by the sanitized test runs, each kept as a test that reaches
// the faulty code. In an ordinary build such a test may pass even with the fault (reading
// freed stack memory often still gives the old bytes); the sanitized build of CI fails on it.

#include <gtest/gtest.h>

#include <sstream>

#include "core/data/database.h"
#include "core/session/fitting_session.h"
#include "core/session/session_test_support.h"

namespace bubblix {
namespace {

TEST(SessionFindings, UnifacResultLabelsAreCopiedWhileTheirLineLives) {
  // The labels of a UNIFAC pair were views into a temporary copy of the result item, read
  // after the copy was gone (stack-use-after-scope). Comp.1-comp.2 without experimental data,
  // parameters entered by hand in both variants.
  Database db = buildDatabase();
  db.ExperimentalData[0][1] = TExperimentalSet{};
  struct Case {
    const char* script;
    std::vector<std::string> labels;
  };
  const Case cases[] = {{"model UNIFAC\nvariant 1\nvariant 1\nvariant 1\ngrid 1 2 3 4 5 6\nno\n",
                         {"a0[1,5]", "a0[1,6]", "a0[5,1]", "a0[5,6]", "a0[6,1]", "a0[6,5]"}},
                        {"model UNIFAC\nvariant 2\nvariant 1\ngrid 1 2 3 4 5 6\nno\n",
                         {"a[1A,5A]", "a[1A,6 ]", "a[5A,1A]", "a[5A,6 ]", "a[6 ,1A]", "a[6 ,5A]"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    SessionState state;
    state.InterfaceLanguage = Language::English;
    state.SelectedCount = 2;
    state.SelectedComponents = {1, 2, 0, 0};
    state.Components.ComponentNames = {"comp.1", "comp.2", "", ""};
    LineListReport report;
    std::ostringstream echo;
    session_test::Requests requests;
    session_test::RecordingDialogs dialogs(c.script, echo, requests);
    const FittingResult result = runFittingSession(dialogs, report, state, db);
    ASSERT_EQ(result.Session.Outcome, SessionOutcome::Completed) << result.Session.Message;
    EXPECT_TRUE(dialogs.scripted().script().atEnd());
    ASSERT_EQ(result.Pairs.size(), 1u);
    EXPECT_EQ(result.Pairs[0].Labels, c.labels);
    EXPECT_EQ(result.Pairs[0].Display, (std::vector<Real>{1.0L, 2.0L, 3.0L, 4.0L, 5.0L, 6.0L}));
  }
}

}  // namespace
}  // namespace bubblix
