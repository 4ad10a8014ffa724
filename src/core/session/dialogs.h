#pragma once
// The questions a calculation session puts to the user, as one abstract interface. The desktop
// program implements it with modal Qt dialogs, bubblix-cli with the answers of a script
// (ScriptedDialogs); the sessions see only this interface.
//
// Every front end follows the same rules, kept GUI-free in dialog_rules.h:
// - Variant choice (TfmAltern): on opening the first variant is chosen and the first check box
//   ticked (BoxAnswer 'y'); the close box returns the previous Tag; the check boxes keep the
//   captions and visibility the last request gave them. AlternDialogState holds this state.
// - Model choice (TForm1): OK with no model chosen shows WarnText and the dialog stays open;
//   Exit and the close box leave without a model.
// - Component ticks (TfmCheckListBox): every opening starts with nothing ticked; OK with
//   nothing ticked shows a warning and the dialog stays open; the close box and Escape return
//   the ticks as they are (possibly none) marked Closed, and the session ends.
// - Grid entry (TfmStrGr): see GridEntry below and gridOkVisit().
// - Message boxes return the button pressed; closing a box with its close box or Escape
//   counts as pressing the button closingAnswer() names (OK, No, Retry).
// The interface language of a dialog's own captions and messages travels in the request
// (`Lang`); the texts the caller puts in are shown as given.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/io/file_request.h"
#include "core/texts/text.h"

namespace bubblix {

// ---- Variant choice (TfmAltern) ----

inline constexpr int kMaxVariants = 10;

// The pair of mutually exclusive check boxes under the variants (chbAltern1, chbAltern2).
struct AlternCheckBoxes {
  std::string Caption1;  // chbAltern1: its tick gives BoxAnswer 'y'
  std::string Caption2;  // chbAltern2: its tick gives BoxAnswer 'x'
  bool Visible = false;  // both boxes shown or both hidden
};

struct VariantRequest {
  std::string FormCaption;
  std::string Prompt;          // may hold CR LF line breaks
  std::uint8_t ItemCount = 0;  // 1..kMaxVariants
  // Items[0]: caption of the radio group (the sessions leave it empty);
  // Items[1..ItemCount]: the variants, shown in this order.
  std::array<std::string, kMaxVariants + 1> Items;
  // Set: the check boxes take these captions and this visibility, and keep them for later
  // requests. Not set: they stay as the last request that set them left them (hidden at
  // first).
  std::optional<AlternCheckBoxes> CheckBoxes;
};

struct VariantAnswer {
  int Tag = 0;  // 0-based index of the chosen variant; the previous Tag after the close box
  char BoxAnswer = 'y';  // 'y' while chbAltern1 is ticked, 'x' while chbAltern2 is ticked
};

// ---- Model choice (TForm1) ----

struct ModelRequest {
  std::string FormCaption;
  std::string Prompt;
  std::string WarnText;                 // shown when OK is pressed with no model chosen
  Language Lang = Language::NotChosen;  // caption of the Exit button
};

struct ModelAnswer {
  // True when the dialog was left by Exit or its close box, without a model.
  bool Exit = false;
  // 0 Wilson, 1 NRTL, 2 UNIQUAC, 3 UNIFAC. After Exit it holds 0, the Tag of a fresh dialog;
  // callers test Exit first.
  int Tag = 0;
};

// ---- Component ticks (TfmCheckListBox) ----

inline constexpr int kMaxCheckListItems = 16;

struct ComponentRequest {
  std::string FormCaption;
  std::string Prompt;
  Language Lang = Language::NotChosen;  // "Select All" and the warning
  std::vector<std::string> ItemNames;   // 0..kMaxCheckListItems names, in list order
};

// Tick state of each entry, ItemNames order (entry k - 1 is the k-th name). OK leaves at
// least one tick; the close box may leave none.
using ComponentTicks = std::vector<bool>;

struct ComponentAnswer {
  ComponentTicks Ticks;
  // The dialog was left by its close box (or Escape) rather than OK: the user leaves the
  // session.
  bool Closed = false;
  bool operator==(const ComponentAnswer&) const = default;
};

// ---- Grid entry (TfmStrGr) ----

inline constexpr int kMaxGridCells = 25;  // at most 25 columns and 25 rows

template <typename T>
using GridArray = std::array<std::array<T, kMaxGridCells>, kMaxGridCells>;  // [column][row]

// One grid dialog, owned by the session that asks with it. The caller fills the fields and
// passes the same object to Dialogs::enterGrid for every showing; Values and Cancelled are
// the answer and keep their contents between showings (Cancel leaves Values unchanged).
// Fixed rows and columns hold headings and are never edited; the other cells are entry cells.
struct GridEntry {
  GridEntry(int extraHeight, int fixedCols, int fixedRows)
      : ExtraHeight(extraHeight), FixedCols(fixedCols), FixedRows(fixedRows) {}

  int ExtraHeight;  // base window height in pixels (the sessions pass 219)
  int FixedCols;    // heading columns at the left (the sessions pass 0)
  int FixedRows;    // heading rows at the top (the sessions pass 2)

  std::string FormCaption;
  std::string Prompt;
  Language Lang = Language::NotChosen;  // the dialog's own messages and buttons
  int Cols = 0;                         // 1..kMaxGridCells, more than FixedCols
  int Rows = 0;        // 1..kMaxGridCells including the fixed rows, more than FixedRows
  int CurrentCol = 0;  // the grid's current column (focus); the OK visit moves it to a bad cell
  GridArray<std::string> CellText;  // put into every cell each time the dialog opens
  GridArray<Real> Values{};         // number read from each entry cell by OK
  bool Cancelled = false;           // true after Cancel (or the close box), false after OK
};

// ---- Message boxes ----

enum class MessageKind : std::uint8_t { Warning, Error, Confirmation, Information };
enum class MessageButtons : std::uint8_t { Ok, YesNo, AbortRetry };
enum class MessageButton : std::uint8_t { Ok, Yes, No, Abort, Retry };

struct MessageRequest {
  MessageKind Kind = MessageKind::Warning;
  std::string Text;  // may hold CR LF line breaks
  MessageButtons Buttons = MessageButtons::Ok;
  Language Lang = Language::NotChosen;  // the title of the box
};

// The answer of a box closed without pressing a button: OK, No or Retry.
constexpr MessageButton closingAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::YesNo:
      return MessageButton::No;
    case MessageButtons::AbortRetry:
      return MessageButton::Retry;
    case MessageButtons::Ok:
      break;
  }
  return MessageButton::Ok;
}

// ---- The interface ----

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Modal dialogs. Each returns when the user has answered; none throws for a user's choice
  // (front ends that cannot ask, such as ScriptedDialogs, throw when they run out of answers).
  virtual VariantAnswer chooseVariant(const VariantRequest& request) = 0;
  virtual ModelAnswer chooseModel(const ModelRequest& request) = 0;
  virtual ComponentAnswer tickComponents(const ComponentRequest& request) = 0;
  // Shows `grid` (its cells filled from CellText) and returns after OK has read at least one
  // number (Cancelled false, Values set) or after Cancel (Cancelled true, Values unchanged).
  virtual void enterGrid(GridEntry& grid) = 0;
  virtual MessageButton showMessage(const MessageRequest& request) = 0;
  // The chosen path, or nothing when the user cancels (FileRequest: core/io/file_request.h).
  virtual std::optional<std::string> openFileName(const FileRequest& request) = 0;
  virtual std::optional<std::string> saveFileName(const FileRequest& request) = 0;
  // One or more files to open, in the order chosen; none when the user cancels. The default
  // asks one file by openFileName.
  virtual std::vector<std::string> openFileNames(const FileRequest& request);

  // The main window while a session runs.
  virtual void setStatusText(const std::string& text) = 0;  // the label lbFrame; "" clears it
  virtual void setBusy(bool busy) = 0;                      // the busy cursor on or off
  // Lets the front end repaint (report, status) during a long calculation. It must not start
  // anything else: the session is still running.
  virtual void processPendingMessages() = 0;
  // The Run button's glyph: running during a session. Optional; the default does nothing.
  virtual void setRunIndicator(bool running);

  // Conveniences for the sessions.
  void showWarning(const std::string& text, Language lang);  // warning box, OK
  void showError(const std::string& text, Language lang);    // error box, OK
  bool askYesNo(const std::string& text, Language lang);     // confirmation; true on Yes
};

// Shows the busy cursor for its lifetime, so that the normal cursor comes back also when a
// calculation throws.
class BusyCursor {
 public:
  explicit BusyCursor(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.setBusy(true); }
  ~BusyCursor() { dialogs_.setBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Dialogs& dialogs_;
};

}  // namespace bubblix
