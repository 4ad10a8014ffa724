#pragma once
// The plain callbacks that the lower layers take (they know nothing of dialogs), put to the
// user through the session's dialogs.

#include "core/models/solvers.h"
#include "core/numerics/gradient_minimizer.h"
#include "core/session/dialogs.h"
#include "core/texts/text.h"

namespace bubblix {

// The gradient method's slow-convergence question: a confirmation box with Abort and Retry
// showing the question's text as given (Russian in both interfaces). Retry, or closing the
// box, goes on (true); Abort stops (false), and GradientMinimize then throws CancelledError.
ContinueQuestion slowConvergenceQuestion(Dialogs& dialogs, Language lang);

// The dew solver's message about a matrix inverse that is not finite: an error box with Yes
// and No showing the message as given; the answer is returned but the solver does not use it.
YesNoQuestion inversionErrorMessage(Dialogs& dialogs, Language lang);

}  // namespace bubblix
