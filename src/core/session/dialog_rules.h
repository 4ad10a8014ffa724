#pragma once
// The rules of the modal dialogs that do not depend on widgets, shared by the desktop dialogs
// and by the scripted dialogs of bubblix-cli so that both behave alike: the grid's number
// reading, its per-keystroke check, its OK visit and geometry; the component dialog's and the
// model dialog's OK rules; the variant dialog's lasting state; file-dialog helpers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/real.h"
#include "core/io/number_reading.h"
#include "core/session/dialogs.h"
#include "core/texts/text.h"

namespace bubblix {

// ---- Numbers typed into a grid cell ----

// The check made after every change of the text of the cell being edited: the message to show
// (with a beep, in an error box with OK) when the text is no beginning of a number
// (isGridNumberBeginning), as "Wrong symbol at input of number " followed by the text as
// typed. The text stays in the cell. A number being typed ("-", "7.6e", "1e-") is no error:
// its next keys would otherwise land in the box.
std::optional<std::string> gridKeystrokeMessage(std::string_view cellText,
                                                std::string_view decimalSeparator, Language lang);

// ---- The grid dialog ----

// Throws InputError when the grid cannot be shown: Cols or Rows outside 1..25, no entry
// column or no entry row (FixedCols >= Cols, FixedRows >= Rows), negative fixed counts.
void validateGrid(const GridEntry& grid);

struct GridCell {
  int Col = 0;
  int Row = 0;
  bool operator==(const GridCell&) const = default;
};

struct GridOkOutcome {
  bool Close = false;  // the dialog closes; Cancelled is false
  int CellsRead = 0;   // entry cells read into Values by this visit
  // A cell that is not a number: it has been emptied and the current column moved to it;
  // Message ("Error of number entry " + its text) is to be shown with a beep in an error box
  // with OK, and the dialog stays open.
  std::optional<GridCell> BadCell;
  std::string Message;
};

// OK. `cells` holds the texts the grid shows now (each opening copies CellText into them).
// Visits the entry cells column by column from the first non-fixed column, and within a
// column row by row from the first non-fixed row; stops at the first empty cell; reads every
// other cell into grid.Values. At a cell that is not a number it stops as described in
// GridOkOutcome; the values stored before it remain. Without error and with at least one cell
// read, Cancelled becomes false and the dialog closes; if the first entry cell is empty,
// nothing is read and the dialog stays open without a message.
GridOkOutcome gridOkVisit(GridEntry& grid, GridArray<std::string>& cells,
                          std::string_view decimalSeparator);

// Cancel, and the window's close box: Cancelled becomes true, Values keep what they held.
void gridCancel(GridEntry& grid);

inline constexpr int kGridRowHeight = 17;  // pixels
inline constexpr int kGridDefaultColWidth = 64;
inline constexpr int kGridMaxVisibleCols = 4;
inline constexpr int kGridMaxVisibleRows = 5;

enum class ScrollBars : std::uint8_t { None, Horizontal, Vertical, Both };

// Sizes in pixels set on every opening. With v = min(Rows, 5) visible rows:
//   window height = (v - FixedRows - 1) * 17 + ExtraHeight;
//   Cols <= 4: grid width = first column + (Cols - 1) * (column + 1) + 1,
//              grid height = v * (17 + 1);
//   Cols > 4:  grid width = first column + 3 * (column + 1) + 1 (four columns visible),
//              grid height = (v + 1) * (17 + 1), room for the horizontal scroll bar.
// Scroll bars: horizontal when Cols > 4, vertical when Rows > 5, both, or none.
struct GridGeometry {
  int WindowHeight = 0;
  int GridWidth = 0;
  int GridHeight = 0;
  int VisibleCols = 0;
  int VisibleRows = 0;
  ScrollBars Bars = ScrollBars::None;
};
GridGeometry gridGeometry(const GridEntry& grid, int firstColWidth = kGridDefaultColWidth,
                          int colWidth = kGridDefaultColWidth);

// ---- The component dialog ----

// Throws InputError for more than 16 names.
void validateComponents(const ComponentRequest& request);

// OK: the warning to show (with a beep, warning box with OK) when nothing is ticked, "Choose
// even one component of a mix"; the dialog then stays open with the list unchanged. Nothing
// when the dialog may close.
std::optional<std::string> componentOkWarning(const ComponentTicks& ticks, Language lang);
// The desktop's component dialog also keeps itself open when more components are ticked than
// a mixture holds (the session's own refusal, "A mixture has 2 to 4 components; 5 are
// ticked", shown before the dialog closes): that warning, or nothing.
std::optional<std::string> componentCountWarning(const ComponentTicks& ticks, Language lang);

// ---- The model dialog ----

inline constexpr int kModelCount = 4;  // Tag 0 Wilson, 1 NRTL, 2 UNIQUAC, 3 UNIFAC

// OK: the request's WarnText (shown with a beep in a warning box with OK) when no model is
// chosen; the dialog then stays open. Nothing when the dialog may close with Tag = chosen.
std::optional<std::string> modelOkWarning(std::optional<int> chosen, const ModelRequest& request);

// ---- The variant dialog ----

// The state of the variant dialog that lasts from one question to the next: its Tag, its
// BoxAnswer and the captions and visibility of its check boxes. One instance lives as long
// as the front end; each question goes open() -> user's clicks -> confirm() or closeBox().
class AlternDialogState {
 public:
  // Opening: throws InputError unless 1 <= ItemCount <= 10; takes the request's check-box
  // settings when it carries some; ticks the first box (BoxAnswer 'y'); chooses the first
  // variant.
  void open(const VariantRequest& request);

  int itemCount() const { return itemCount_; }
  const AlternCheckBoxes& checkBoxes() const { return boxes_; }

  int chosen() const { return chosen_; }
  void choose(int index);  // 0-based; throws InputError outside 0..itemCount() - 1

  // Exactly one box is ticked at any time: ticking one unticks the other, unticking one ticks
  // the other. BoxAnswer follows: 'y' with the first ticked, 'x' with the second.
  bool box1Ticked() const { return boxAnswer_ == 'y'; }
  bool box2Ticked() const { return boxAnswer_ == 'x'; }
  void setBox1Ticked(bool ticked) { boxAnswer_ = ticked ? 'y' : 'x'; }
  void setBox2Ticked(bool ticked) { boxAnswer_ = ticked ? 'x' : 'y'; }
  char boxAnswer() const { return boxAnswer_; }

  int tag() const { return tag_; }
  // The button "Checked": Tag becomes the chosen variant.
  VariantAnswer confirm();
  // The window's close box: Tag stays as it was.
  VariantAnswer closeBox();

 private:
  int itemCount_ = 0;
  int chosen_ = 0;
  int tag_ = 0;
  char boxAnswer_ = 'y';
  AlternCheckBoxes boxes_;
};

// ---- Message boxes ----

// The title of a message box of the given kind.
const Text& messageTitle(MessageKind kind);

// ---- File dialogs ----

struct FileFilterEntry {
  std::string Description;            // "Datafiles"
  std::vector<std::string> Patterns;  // {"*.dat"}; a pattern list "*.a;*.b" is split at ';'
};

// Splits a filter "description|patterns|description|patterns". A trailing description
// without patterns gets "*".
std::vector<FileFilterEntry> parseFileFilter(std::string_view filter);

// A name typed without extension gets ".ext" (the file name itself holds no full stop; a
// full stop in a folder name does not count). An empty extension changes nothing.
std::string withDefaultExtension(std::string path, std::string_view defaultExt);

}  // namespace bubblix
