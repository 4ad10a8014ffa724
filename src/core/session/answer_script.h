#pragma once
// Answer scripts: the answers to a calculation session's questions, written in a text file
// for `bubblix-cli session --answers FILE` (and for tests), and read by ScriptedDialogs.
//
// Format. The script is UTF-8 text, one answer per line, in the order the session asks its
// questions. Blank lines are ignored; a '#' at the start of a line or after a blank starts a
// comment that runs to the end of the line. Each answer starts with a word naming what it
// answers; words are separated by blanks, and keywords are case-insensitive.
//
//   variant N [liquid|vapour]   a variant question: the N-th variant as shown (variant 1 is
//                               the first). The phase ticks the check box under the variants
//                               of the equilibrium question: liquid - the liquid composition
//                               is given, vapour (or vapor) - the vapour composition. Without
//                               it the first box stays ticked (liquid), as when the dialog
//                               opens. A phase is refused where the question shows no boxes.
//   model NAME                  the model question: Wilson, NRTL, UNIQUAC or UNIFAC.
//   model exit                  the model question's Exit button: no model.
//   model                       OK with no model chosen: the dialog's warning is shown, and
//                               the next line answers the same question again.
//   components N,N,...          the component question: the database numbers to tick
//                               (1 to the number listed), separated by commas or blanks.
//   components all              the button "Select All", then OK.
//   components                  OK with nothing ticked: the dialog's warning, and the next
//                               line answers the same question again.
//   grid TEXT TEXT ...          a grid: the texts typed into the entry cells, in the order the
//                               grid reads them (column by column, top to bottom within a
//                               column), then OK. Each text is a cell's text as typed; numbers
//                               are written with a full stop ("760", "1.5e-3"). Cells after the
//                               last text keep what they show. The grid reads its cells as the
//                               dialog's OK does: it stops at the first empty cell; a text
//                               that is not a number is reported (the message is shown), its
//                               cell emptied, and the next line answers the same grid again.
//                               (A script puts each text in at once: the desktop grid's check
//                               at every keystroke does not apply.)
//   yes | no                    a confirmation with the buttons Yes and No.
//   abort | retry               the question with the buttons Abort and Retry.
//   file PATH                   an open-file or save-file dialog: the path, as the rest of the
//                               line; a path with a blank before '#' is written in double
//                               quotes (file "my #1.dat"). A save dialog adds the default
//                               extension to a name typed without one.
//   cancel                      the Cancel button of a grid or a file dialog.
//   close                       the window's close box: a variant question keeps its previous
//                               answer; the model question answers Exit; the component question
//                               closes with nothing ticked; a grid or a file dialog cancels;
//                               a confirmation answers No, the Abort/Retry question Retry.
//
// Messages with the single button OK take no line: they are written to the echo stream.
// The whole script is read before the session starts, so a line that is not written in one of
// these forms is reported with its number before anything runs. An answer that does not fit
// the question asked (another kind, a variant or component number out of range, more texts
// than the grid has entry cells), and a script that ends while a question waits, stop the
// session with an AnswerScriptError naming the line and the question.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/errors.h"

namespace bubblix {

// A script that cannot be read, is not written in the format, or does not answer the session's
// questions. The message names the line.
class AnswerScriptError : public InputError {
 public:
  using InputError::InputError;
};

enum class AnswerKind : std::uint8_t {
  Variant,
  Model,
  Components,
  Grid,
  File,
  Yes,
  No,
  Abort,
  Retry,
  Cancel,
  Close
};

struct ScriptAnswer {
  AnswerKind Kind = AnswerKind::Close;
  int Line = 0;      // 1-based line number in the script
  std::string Text;  // the line as written, without its comment and outer blanks

  int Variant = 0;  // Variant: the number as written, 1 for the first variant
  char Phase = 0;   // Variant: 'y' liquid, 'x' vapour, 0 not given

  std::optional<int> Model;  // Model: Tag 0 Wilson .. 3 UNIFAC; nothing: OK without a model
  bool ModelExit = false;    // Model: `model exit`

  std::vector<int> Components;  // Components: database numbers, in the order written
  // Components given by name (a name without blanks or commas), ticked as the dialog's item
  // of that name.
  std::vector<std::string> ComponentNames;
  bool AllComponents = false;  // Components: `components all`

  std::vector<std::string> Cells;  // Grid: the cell texts
  std::string Path;                // File
};

class AnswerScript {
 public:
  // Reads a whole script; throws AnswerScriptError at the first line that is not an answer.
  static AnswerScript parse(std::string_view text);
  // Reads a script file ("-": standard input; a named pipe only while a program writes to it,
  // input_file.h); throws AnswerScriptError when it cannot be read or parsed.
  static AnswerScript load(const std::string& path);

  const std::vector<ScriptAnswer>& answers() const { return answers_; }
  int lineCount() const { return lineCount_; }

  // The answers not yet taken, in order.
  bool atEnd() const { return next_ >= answers_.size(); }
  std::size_t remaining() const { return answers_.size() - next_; }
  const ScriptAnswer& peek() const { return answers_.at(next_); }
  const ScriptAnswer& take() { return answers_.at(next_++); }

 private:
  std::vector<ScriptAnswer> answers_;
  std::size_t next_ = 0;
  int lineCount_ = 0;
};

// A script line as an error message quotes it: a long line is cut after 80 bytes, at a
// character boundary, and marked with "...".
std::string scriptLineForMessage(std::string_view line);

// A script larger than this is refused unread (a session asks far fewer questions).
inline constexpr std::size_t kMaxAnswerScriptBytes = 16u << 20;

}  // namespace bubblix
