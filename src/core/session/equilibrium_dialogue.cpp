#include "core/session/equilibrium_dialogue.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/io/number_reading.h"
#include "core/models/equilibrium_point.h"
#include "core/models/point_warnings.h"
#include "core/session/dialog_rules.h"
#include "core/session/session_callbacks.h"
#include "core/session/session_support.h"
#include "core/texts/session_texts.h"
#include "core/texts/solver_texts.h"

namespace bubblix {

namespace {

bool temperatureTask(char task) {
  return task == 't' || task == 'T';
}

void checkLetters(const EquilibriumEntry& entry) {
  if (entry.Task != 't' && entry.Task != 'T' && entry.Task != 'P' && entry.Task != 'p') {
    throw std::invalid_argument("equilibrium entry: task letter must be T, t, P or p");
  }
  if (entry.Phase != 'y' && entry.Phase != 'Y' && entry.Phase != 'x' && entry.Phase != 'X') {
    throw std::invalid_argument("equilibrium entry: phase letter must be x, X, y or Y");
  }
}

int componentCount(const SessionState& state) {
  const int n = state.ParameterSet.ComponentCount;
  if (n < 2 || n > 4) {
    throw InputError(kSolverComponentCount, {std::to_string(n)});
  }
  return n;
}

}  // namespace

void checkEquilibriumEntry(const EquilibriumEntry& entry, const SessionState& state,
                           const std::string& decimalSeparator) {
  checkLetters(entry);
  const int n = componentCount(state);
  if (static_cast<int>(entry.Percents.size()) != n - 1) {
    throw std::invalid_argument("equilibrium entry: one percent per component but the last");
  }
  const std::optional<EntryRefusal> refusal =
      checkEquilibriumPoint(temperatureTask(entry.Task), entry.Value, entry.Percents);
  if (!refusal) return;
  const Language lang = state.InterfaceLanguage;
  const std::string value = formatGeneral(refusal->Value, 10, decimalSeparator);
  const auto& names = state.Components.ComponentNames;
  switch (refusal->Problem) {
    case EntryProblem::NotFinite: {
      if (refusal->Component >= 0) {
        throw InputError(texts::kEntryNotFinite,
                         {names[static_cast<std::size_t>(refusal->Component)], value});
      }
      const Text& title = temperatureTask(entry.Task) ? texts::kPressureColumnTitle
                                                      : texts::kTemperatureColumnTitle;
      throw InputError(texts::kEntryNotFinite, {std::string(trimBlanks(title.in(lang))), value});
    }
    case EntryProblem::PressureNotPositive:
      throw InputError(texts::kEntryPressureNotPositive, {value});
    case EntryProblem::TemperatureTooLow:
      throw InputError(texts::kEntryTemperatureTooLow, {value});
    case EntryProblem::PercentOutOfRange:
      throw InputError(texts::kEntryPercentOutOfRange,
                       {names[static_cast<std::size_t>(refusal->Component)], value});
    case EntryProblem::PercentSumAbove100:
      throw InputError(texts::kEntryPercentSumAbove100,
                       {value, names[static_cast<std::size_t>(n - 1)]});
  }
}

void takeEquilibriumEntry(const EquilibriumEntry& entry, SessionState& state) {
  checkLetters(entry);
  const int n = componentCount(state);
  if (static_cast<int>(entry.Percents.size()) != n - 1) {
    throw std::invalid_argument("equilibrium entry: one percent per component but the last");
  }
  if (temperatureTask(entry.Task)) {
    state.Pressure = mmHgToPa(entry.Value);
  } else {
    state.Tau = tauFromCelsius(entry.Value);
  }
  compositionFromPercents(
      entry.Percents, (entry.Phase == 'x' || entry.Phase == 'X') ? state.VapourY : state.LiquidX);
}

SolveResult solveEquilibriumPoint(const EquilibriumEntry& entry, SessionState& state,
                                  const YesNoQuestion& onInversionError,
                                  const std::string& decimalSeparator) {
  checkEquilibriumEntry(entry, state, decimalSeparator);
  takeEquilibriumEntry(entry, state);
  const SolverStart start = temperatureTask(entry.Task) ? temperatureTaskStart(state.Pressure)
                                                        : pressureTaskStart(entry.Value);
  return solveEquilibriumOrThrow(state.Components, entry.Task, entry.Phase, start.A, start.B,
                                 state.Tau, state.Pressure, state.ParameterSet, state.LiquidX,
                                 state.Gamma, state.VapourY, onInversionError);
}

std::string equilibriumRow(const SessionState& state, const std::string& decimalSeparator) {
  std::string row =
      formatReport(texts::kEquilibriumRowFormat,
                   {paToMmHg(state.Pressure), celsiusFromTau(state.Tau)}, decimalSeparator);
  const int n = state.ParameterSet.ComponentCount;
  for (int c = 0; c < n && c < 4; ++c) {
    const auto i = static_cast<std::size_t>(c);
    row += formatReport(texts::kEquilibriumComponentFormat,
                        {100.0L * state.LiquidX[i], 100.0L * state.VapourY[i]}, decimalSeparator);
  }
  return row;
}

std::vector<std::string> equilibriumWarningLines(const SessionState& state) {
  std::vector<std::string> lines;
  const int n = state.ParameterSet.ComponentCount;
  for (const RangeWarning& warning : rangeWarnings(
           state.Components, n, state.ParameterSet.ModelCode, celsiusFromTau(state.Tau))) {
    lines.push_back("  " + rangeWarningText(warning, state.InterfaceLanguage));
  }
  return lines;
}

namespace session_detail {

void equilibriumDialogue(SessionContext& context) {
  Dialogs& dialogs = context.dialogs;
  SessionState& state = context.state;
  const Language lang = context.lang();
  const std::string& separator = context.options.DecimalSeparator;
  const int n = componentCount(state);
  const auto& names = state.Components.ComponentNames;

  // The question: task and phase.
  VariantRequest question;
  question.FormCaption = context.text(texts::kChoiceOfVariant);
  question.Prompt = context.text(texts::kEquilibriumQuestion);
  question.ItemCount = 2;
  question.Items[1] = context.text(texts::kEquilibriumVariantTemperature);
  question.Items[2] = context.text(texts::kEquilibriumVariantPressure);
  question.CheckBoxes = AlternCheckBoxes{context.text(texts::kEquilibriumBoxLiquid),
                                         context.text(texts::kEquilibriumBoxVapour), true};
  const VariantAnswer answer = dialogs.chooseVariant(question);
  const char task = answer.Tag == 0 ? 't' : 'P';
  const char phase = answer.BoxAnswer == 'x' ? 'x' : 'y';

  // Texts by task.
  std::string columnTitle;
  std::string columnUnit;
  std::string prompt;
  if (task == 't') {
    columnTitle = context.text(texts::kPressureColumnTitle);
    columnUnit = context.text(texts::kPressureColumnUnit);
    prompt = context.text(texts::kTemperaturePrompt);
  } else {
    columnTitle = context.text(texts::kTemperatureColumnTitle);
    columnUnit = context.text(texts::kTemperatureColumnUnit);
    const Text& word = phase == 'x' ? texts::kPhaseWordVapour : texts::kPhaseWordLiquid;
    prompt = context.text(texts::kPressurePrompt, {context.text(word)});
  }

  // The table header.
  std::string header = context.text(texts::kEquilibriumHeader);
  for (int c = 0; c < n; ++c) {
    const std::string& name = names[static_cast<std::size_t>(c)];
    header += "     " + name + "      " + name + " ";
  }
  header += "\r\n";
  header += context.text(texts::kEquilibriumUnitLine);
  header += "      ";
  for (int c = 0; c < n; ++c)
    header.append(" ").append(context.text(texts::kEquilibriumPhaseLabel));
  context.report.append(context.text(texts::kMolarPercentNote) + "\r\n" + header);

  // The grid: column 0 the pressure or temperature, columns 1..n-1 the percents.
  GridEntry grid(219, 0, 2);
  grid.Lang = lang;
  grid.FormCaption = context.text(texts::kEquilibriumGridCaption);
  grid.Prompt = prompt;
  grid.Cols = n;
  grid.Rows = 3;
  for (int c = 1; c < n; ++c) {
    const auto col = static_cast<std::size_t>(c);
    grid.CellText[col][0] = names[col - 1];
    grid.CellText[col][1] = context.text(texts::kMolarPercentUnit);
    grid.CellText[col][2].clear();
  }
  grid.CellText[0][2].clear();

  const YesNoQuestion onInversionError = inversionErrorMessage(dialogs, lang);
  std::vector<Real> percents(static_cast<std::size_t>(n - 1));
  // The values of the last point entered in full. The grid's OK reads the cells up to the first
  // empty one and leaves the others as they were: every showing clears them (NaN), so a cell
  // left empty is seen as such and never takes a value of an earlier point.
  std::vector<Real> lastValues(static_cast<std::size_t>(n));
  for (int c = 0; c < n; ++c)
    lastValues[static_cast<std::size_t>(c)] = grid.Values[static_cast<std::size_t>(c)][2];
  while (true) {
    grid.CellText[0][0] = columnTitle;
    grid.CellText[0][1] = columnUnit;
    grid.CurrentCol = 0;
    for (int c = 0; c < n; ++c)
      grid.Values[static_cast<std::size_t>(c)][2] = std::numeric_limits<Real>::quiet_NaN();
    dialogs.enterGrid(grid);

    int emptyCell = -1;
    for (int c = 0; c < n; ++c) {
      const auto col = static_cast<std::size_t>(c);
      if (grid.Cancelled) grid.Values[col][2] = lastValues[col];
      if (emptyCell < 0 && std::isnan(grid.Values[col][2])) emptyCell = c;
    }
    if (!grid.Cancelled && emptyCell >= 0) {
      const std::string cell = emptyCell == 0 ? std::string(trimBlanks(columnTitle))
                                              : names[static_cast<std::size_t>(emptyCell - 1)];
      dialogs.showWarning(context.text(texts::kEntryCellEmpty, {cell}), lang);
      continue;
    }
    for (int c = 0; c < n; ++c)
      lastValues[static_cast<std::size_t>(c)] = grid.Values[static_cast<std::size_t>(c)][2];
    for (int c = 1; c < n; ++c) {
      percents[static_cast<std::size_t>(c - 1)] = grid.Values[static_cast<std::size_t>(c)][2];
    }
    const EquilibriumEntry entry{task, phase, grid.Values[0][2], percents};
    if (grid.Cancelled) {
      // Cancel takes the values the grid still holds as the current point, as every showing
      // does (the next session's adequacy check starts from this temperature), unless they
      // make no sense; then it ends the dialogue.
      try {
        checkEquilibriumEntry(entry, state, separator);
        takeEquilibriumEntry(entry, state);
      } catch (const InputError&) {
      }
      break;
    }
    try {
      solveEquilibriumPoint(entry, state, onInversionError, separator);
    } catch (const InputError& error) {
      dialogs.showWarning(error.message(lang), lang);
      continue;
    } catch (const Error& error) {
      dialogs.showError(context.text(texts::kEquilibriumPointFailed, {error.message(lang)}), lang);
      continue;
    }
    context.report.append(equilibriumRow(state, separator));
    for (const std::string& line : equilibriumWarningLines(state))
      context.report.append(line);
  }
}

}  // namespace session_detail

SessionResult runEquilibriumDialogue(Dialogs& dialogs, ReportDocument& report, SessionState& state,
                                     const SessionOptions& options) {
  return session_detail::runSession(dialogs, state.InterfaceLanguage, [&](Dialogs& guarded) {
    session_detail::SessionContext context{guarded, report, state, builtInDatabase(), options};
    session_detail::equilibriumDialogue(context);
  });
}

}  // namespace bubblix
