#include "core/session/dialog_rules.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/base/errors.h"
#include "core/texts/dialog_texts.h"
#include "core/texts/session_texts.h"

namespace bubblix {

std::optional<std::string> gridKeystrokeMessage(std::string_view cellText,
                                                std::string_view decimalSeparator, Language lang) {
  if (isGridNumberBeginning(cellText, decimalSeparator)) return std::nullopt;
  return render(texts::kGridWrongSymbol, lang, {std::string(cellText)});
}

void validateGrid(const GridEntry& grid) {
  const bool fits = grid.Cols >= 1 && grid.Cols <= kMaxGridCells && grid.Rows >= 1 &&
                    grid.Rows <= kMaxGridCells && grid.FixedCols >= 0 && grid.FixedRows >= 0 &&
                    grid.FixedCols < grid.Cols && grid.FixedRows < grid.Rows;
  if (!fits) {
    throw InputError(texts::kGridSizeOutOfRange,
                     {std::to_string(grid.Cols), std::to_string(grid.Rows),
                      std::to_string(grid.FixedCols), std::to_string(grid.FixedRows)});
  }
}

GridOkOutcome gridOkVisit(GridEntry& grid, GridArray<std::string>& cells,
                          std::string_view decimalSeparator) {
  validateGrid(grid);
  GridOkOutcome outcome;
  for (int col = grid.FixedCols; col < grid.Cols; ++col) {
    for (int row = grid.FixedRows; row < grid.Rows; ++row) {
      std::string& text = cells[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
      if (text.empty()) {
        outcome.Close = outcome.CellsRead > 0;
        if (outcome.Close) grid.Cancelled = false;
        return outcome;
      }
      const std::optional<Real> value = parseGridNumber(text, decimalSeparator);
      if (!value) {
        outcome.Message = render(texts::kGridNumberEntryError, grid.Lang, {text});
        outcome.BadCell = GridCell{col, row};
        text.clear();
        grid.CurrentCol = col;
        return outcome;
      }
      grid.Values[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)] = *value;
      ++outcome.CellsRead;
    }
  }
  outcome.Close = true;  // every entry cell read; there is at least one
  grid.Cancelled = false;
  return outcome;
}

void gridCancel(GridEntry& grid) {
  grid.Cancelled = true;
}

GridGeometry gridGeometry(const GridEntry& grid, int firstColWidth, int colWidth) {
  validateGrid(grid);
  GridGeometry g;
  g.VisibleRows = std::min(grid.Rows, kGridMaxVisibleRows);
  g.VisibleCols = std::min(grid.Cols, kGridMaxVisibleCols);
  g.WindowHeight = (g.VisibleRows - grid.FixedRows - 1) * kGridRowHeight + grid.ExtraHeight;
  if (grid.Cols > kGridMaxVisibleCols) {
    g.GridWidth = firstColWidth + (kGridMaxVisibleCols - 1) * (colWidth + 1) + 1;
    g.GridHeight = (g.VisibleRows + 1) * (kGridRowHeight + 1);
  } else {
    g.GridWidth = firstColWidth + (grid.Cols - 1) * (colWidth + 1) + 1;
    g.GridHeight = g.VisibleRows * (kGridRowHeight + 1);
  }
  const bool horizontal = grid.Cols > kGridMaxVisibleCols;
  const bool vertical = grid.Rows > kGridMaxVisibleRows;
  g.Bars = horizontal && vertical ? ScrollBars::Both
           : horizontal           ? ScrollBars::Horizontal
           : vertical             ? ScrollBars::Vertical
                                  : ScrollBars::None;
  return g;
}

void validateComponents(const ComponentRequest& request) {
  if (request.ItemNames.size() > static_cast<std::size_t>(kMaxCheckListItems)) {
    throw InputError(texts::kCheckListCountOutOfRange, {std::to_string(request.ItemNames.size())});
  }
}

std::optional<std::string> componentOkWarning(const ComponentTicks& ticks, Language lang) {
  if (std::find(ticks.begin(), ticks.end(), true) != ticks.end()) return std::nullopt;
  return std::string(texts::kChooseOneComponent.in(lang));
}

std::optional<std::string> componentCountWarning(const ComponentTicks& ticks, Language lang) {
  const auto ticked = std::count(ticks.begin(), ticks.end(), true);
  // A mixture's slots: SessionState::SelectedComponents, Mixture::ComponentNames.
  constexpr long kMixtureSlots = 4;
  if (ticked <= kMixtureSlots) return std::nullopt;
  return render(texts::kAtMostFourComponents, lang, {std::to_string(ticked)});
}

std::optional<std::string> modelOkWarning(std::optional<int> chosen, const ModelRequest& request) {
  if (chosen && *chosen >= 0 && *chosen < kModelCount) return std::nullopt;
  return request.WarnText;
}

void AlternDialogState::open(const VariantRequest& request) {
  if (request.ItemCount < 1 || request.ItemCount > kMaxVariants) {
    throw InputError(texts::kVariantCountOutOfRange, {std::to_string(request.ItemCount)});
  }
  itemCount_ = request.ItemCount;
  if (request.CheckBoxes) boxes_ = *request.CheckBoxes;
  setBox1Ticked(true);
  chosen_ = 0;
}

void AlternDialogState::choose(int index) {
  if (index < 0 || index >= itemCount_) {
    throw InputError(texts::kVariantIndexOutOfRange,
                     {std::to_string(index), std::to_string(itemCount_)});
  }
  chosen_ = index;
}

VariantAnswer AlternDialogState::confirm() {
  tag_ = chosen_;
  return {tag_, boxAnswer_};
}

VariantAnswer AlternDialogState::closeBox() {
  return {tag_, boxAnswer_};
}

const Text& messageTitle(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
      return texts::kMessageError;
    case MessageKind::Confirmation:
      return texts::kMessageConfirmation;
    case MessageKind::Information:
      return texts::kMessageInformation;
    case MessageKind::Warning:
      break;
  }
  return texts::kMessageWarning;
}

std::vector<FileFilterEntry> parseFileFilter(std::string_view filter) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t bar = filter.find('|');
    parts.push_back(filter.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filter.remove_prefix(bar + 1);
  }
  std::vector<FileFilterEntry> entries;
  for (std::size_t k = 0; k < parts.size(); k += 2) {
    FileFilterEntry entry;
    entry.Description = std::string(trimBlanks(parts[k]));
    std::string_view patterns = k + 1 < parts.size() ? parts[k + 1] : std::string_view();
    while (true) {
      const std::size_t semicolon = patterns.find(';');
      const std::string_view pattern = trimBlanks(patterns.substr(0, semicolon));
      if (!pattern.empty()) entry.Patterns.emplace_back(pattern);
      if (semicolon == std::string_view::npos) break;
      patterns.remove_prefix(semicolon + 1);
    }
    if (entry.Description.empty() && entry.Patterns.empty()) continue;
    if (entry.Patterns.empty()) entry.Patterns.emplace_back("*");
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string withDefaultExtension(std::string path, std::string_view defaultExt) {
  if (defaultExt.empty() || path.empty() || path.back() == '/') return path;
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  if (path.find('.', nameStart) != std::string::npos) return path;
  path += '.';
  path += defaultExt;
  return path;
}

}  // namespace bubblix
