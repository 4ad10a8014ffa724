// The lower layers' callbacks as message boxes.

#include "core/session/session_callbacks.h"

#include <gtest/gtest.h>

#include "core/texts/numerics_texts.h"
#include "core/texts/solver_texts.h"
#include "session_test_support.h"

namespace bubblix::session_test {
namespace {

TEST(SessionCallbacks, SlowConvergenceAndInversionMessagesAreBoxesInRussian) {
  Requests requests;
  std::ostringstream echo;
  RecordingDialogs dialogs("retry\nclose\nabort\nno\n", echo, requests);
  const ContinueQuestion goOn = slowConvergenceQuestion(dialogs, Language::English);
  EXPECT_TRUE(goOn(texts::kSlowConvergenceQuestion));   // Retry
  EXPECT_TRUE(goOn(texts::kSlowConvergenceQuestion));   // the box closed counts as Retry
  EXPECT_FALSE(goOn(texts::kSlowConvergenceQuestion));  // Abort
  const YesNoQuestion inversion = inversionErrorMessage(dialogs, Language::English);
  EXPECT_FALSE(inversion(kInversionArithmeticError));

  ASSERT_EQ(requests.Messages.size(), 4u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(requests.Messages[k].Kind, MessageKind::Confirmation);
    EXPECT_EQ(requests.Messages[k].Buttons, MessageButtons::AbortRetry);
    EXPECT_EQ(requests.Messages[k].Text,
              "Слишком медленная сходимость градиентного метода. Желаете\r\nпродолжить "
              "вычисления? Или закончить работу процедуры?");
  }
  EXPECT_EQ(requests.Messages[3].Kind, MessageKind::Error);
  EXPECT_EQ(requests.Messages[3].Buttons, MessageButtons::YesNo);
  EXPECT_EQ(requests.Messages[3].Text, "Ошибка при обращении матрицы");
}

}  // namespace
}  // namespace bubblix::session_test
