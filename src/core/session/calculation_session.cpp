#include "core/session/calculation_session.h"

#include <cmath>
#include <memory>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/experimental_data.h"
#include "core/data/mixture_loading.h"
#include "core/fitting/binary_fit_data.h"
#include "core/io/number_format.h"
#include "core/models/equilibrium_point.h"
#include "core/models/point_warnings.h"
#include "core/session/equilibrium_dialogue.h"
#include "core/session/fitting_session.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/session/session_callbacks.h"
#include "core/session/session_support.h"
#include "core/texts/data_texts.h"
#include "core/texts/session_texts.h"

namespace bubblix {

using session_detail::SessionContext;
using session_detail::SessionStop;

namespace {

// The mass percent of the first component for mole fractions z1, z2.
Real massPercent(Real z1, Real z2, Real M1, Real M2) {
  return 100.0L * z1 * M1 / (z1 * M1 + z2 * M2);
}

// Variant 1: the component dialog until at least two components with database records are
// ticked. Fills SelectedCount, SelectedComponents and DataMissing.
void selectComponents(SessionContext& context) {
  SessionState& state = context.state;
  const Language lang = context.lang();
  const int count = static_cast<int>(context.db.ComponentBase.size());
  ComponentRequest request;
  request.FormCaption = context.text(texts::kComponentDialogCaption);
  request.Prompt = context.text(texts::kComponentDialogPrompt);
  request.Lang = lang;
  for (int k = 1; k <= count; ++k) {
    request.ItemNames.push_back(componentName(context.db, k, lang));
  }
  while (true) {
    const ComponentAnswer answer = context.dialogs.tickComponents(request);
    // Leaving the dialog by its close box leaves the session: nothing is fitted and the
    // report stays as it was.
    if (answer.Closed) throw SessionStop{SessionOutcome::Stopped, {}};
    const ComponentTicks& ticks = answer.Ticks;
    state.SelectedCount = 0;
    std::optional<std::string> missing;
    for (int k = 1; k <= count && k <= static_cast<int>(ticks.size()); ++k) {
      if (!ticks[static_cast<std::size_t>(k - 1)]) continue;
      const std::string& entry = request.ItemNames[static_cast<std::size_t>(k - 1)];
      const TComponentRecord& record = context.db.ComponentBase[static_cast<std::size_t>(k - 1)];
      if (state.SelectedCount < state.SelectedComponents.size()) {
        state.SelectedComponents[state.SelectedCount] = static_cast<std::uint16_t>(k);
      }
      ++state.SelectedCount;
      if (entry == record.EnglishName || entry == record.RussianName) {
        if (state.SelectedCount <= state.SelectedComponents.size()) {
          state.Components.ComponentNames[state.SelectedCount - 1] = entry;
        }
      } else {
        missing = entry;
      }
    }
    if (state.SelectedCount < 2) {
      context.dialogs.showWarning(context.text(texts::kTwoComponentsRequired), lang);
      continue;
    }
    if (state.SelectedCount > state.SelectedComponents.size()) {
      context.dialogs.showWarning(
          context.text(texts::kAtMostFourComponents, {std::to_string(state.SelectedCount)}), lang);
      continue;
    }
    if (missing) {
      state.DataMissing = 1;
      context.dialogs.showWarning(context.text(texts::kComponentPropertiesAbsent, {*missing}),
                                  lang);
      continue;
    }
    state.DataMissing = 0;
    return;
  }
}

// Variant 2: the file dialog and the loading. Returns the method name.
std::string loadParameters(SessionContext& context) {
  SessionState& state = context.state;
  std::string method;
  if (const auto loaded = chooseAndLoadParameterFile(context.dialogs, state, context.db)) {
    method = loaded->MethodName;
  } else {
    // Cancelled: the current set, if there is one, is used again.
    if (state.ParameterSet.ComponentCount < 2) {
      const std::string message =
          context.text(texts::kSessionEnded, {context.text(texts::kNoParameterSet)});
      context.dialogs.showWarning(message, context.lang());
      throw SessionStop{SessionOutcome::Stopped, message};
    }
    reloadParameterSetMixture(state, context.db);
    method = std::string(modelName(state.ParameterSet.ModelCode));
  }
  state.SelectedCount = state.ParameterSet.ComponentCount;
  // Whether the loaded binary pair has data is tested as the fitting session tests a pair.
  state.DataMissing =
      pairHasData(context.db, state.ParameterSet.Components[0], state.ParameterSet.Components[1])
          ? 0
          : 1;
  return method;
}

void calculationSession(SessionContext& context) {
  SessionState& state = context.state;
  const Language lang = context.lang();

  VariantRequest source;
  source.FormCaption = context.text(texts::kChoiceOfVariant);
  source.Prompt = context.text(texts::kParameterSourceQuestion);
  source.ItemCount = 2;
  source.Items[1] = context.text(texts::kVariant1Recommended);
  source.Items[2] = context.text(texts::kVariant2);
  const bool load = context.dialogs.chooseVariant(source).Tag == 1;

  std::string method;
  if (load) {
    method = loadParameters(context);
  } else {
    selectComponents(context);
    session_detail::fittingSession(context, true);
    method = std::string(modelName(*state.FittedModel));
  }

  context.report.append(context.text(texts::kSessionHeading, {method}));
  const std::unique_ptr<TVLEObj> model =
      makeModelObject(state.Components, state.SelectedCount, state.ParameterSet);

  const bool binaryWithData = state.ParameterSet.ComponentCount == 2 && state.DataMissing != 1;
  if (binaryWithData) {
    const bool summary =
        context.dialogs.askYesNo(context.text(texts::kAdequacyQuestion, {method}), lang);
    const AdequacyTable table =
        checkAdequacy(state, context.db, *model, inversionErrorMessage(context.dialogs, lang));
    writeAdequacyTable(context.report, table, state, summary, context.options.DecimalSeparator);
    if (!table.Complete) {
      context.dialogs.showError(
          context.text(texts::kAdequacyPointFailed,
                       {std::to_string(table.FailedPoint), table.FailureMessage}),
          lang);
    }
  }

  session_detail::equilibriumDialogue(context);
}

}  // namespace

std::string systemName(const SessionState& state) {
  std::string name = " ";
  for (int i = 0; i < state.ParameterSet.ComponentCount && i < 4; ++i) {
    name += "-" + state.Components.ComponentNames[static_cast<std::size_t>(i)];
  }
  return name;
}

AdequacyTable checkAdequacy(SessionState& state, const Database& db, TVLEObj& model,
                            const YesNoQuestion& onInversionError) {
  const TParameterSet& set = state.ParameterSet;
  // The compositions are those of the set's first component, also in descending order.
  TBinaryFitData data;
  const ExperimentalPoints points =
      pairExperimentalPoints(db, set.Components[0], set.Components[1]);
  loadExperimentalPoints(points, data);
  state.Pressure = points.P;

  AdequacyTable table;
  table.PointCount = data.N;
  const Real M1 = state.Components.MolarMasses[0];
  const Real M2 = state.Components.MolarMasses[1];
  Real sumYT = 0.0L;
  Real sumYP = 0.0L;
  Real sumT = 0.0L;
  Real sumP = 0.0L;
  for (std::size_t k = 0; k < data.N; ++k) {
    const Real tauK = data.tau[k];
    const Real x1 = data.x1[k];
    const Real y1 = data.y1[k];
    // Every point at its own pressure; the built-in sets have one for all.
    state.Pressure = data.Pk[k];
    try {
      state.LiquidX[0] = x1;
      state.LiquidX[1] = 1.0L - x1;
      // Boiling temperature at the data's pressure, from the temperature of the point before.
      const SolverStart boiling = adequacyTemperatureTaskStart(state.Tau);
      model.SolveOrThrow('T', 'y', boiling.A, boiling.B, state.Tau, state.Pressure, set,
                         state.LiquidX, state.Gamma, state.VapourY, onInversionError);
      sumYT += (y1 - state.VapourY[0]) * (y1 - state.VapourY[0]);
      sumT += (tauK - state.Tau) * (tauK - state.Tau);

      // Pressure at the data's temperature, into its own variable: Pressure keeps the data's.
      Real tau = tauK;
      Real pressure = state.Pressure;
      const SolverStart pressureStart = adequacyPressureTaskStart(state.Pressure);
      model.SolveOrThrow('P', 'y', pressureStart.A, pressureStart.B, tau, pressure, set,
                         state.LiquidX, state.Gamma, state.VapourY, onInversionError);
      sumYP += (y1 - state.VapourY[0]) * (y1 - state.VapourY[0]);
      sumP += (pressure - state.Pressure) * (pressure - state.Pressure);

      AdequacyRow row;
      row.TemperatureC = celsiusFromTau(state.Tau);
      row.PressureMmHg = paToMmHg(pressure);
      row.X1MolePercent = 100.0L * x1;
      row.X1MassPercent = massPercent(state.LiquidX[0], state.LiquidX[1], M1, M2);
      row.Y1MolePercent = 100.0L * state.VapourY[0];
      row.Y1MassPercent = massPercent(state.VapourY[0], state.VapourY[1], M1, M2);
      row.Gamma1 = state.Gamma[0];
      row.Gamma2 = state.Gamma[1];
      table.Rows.push_back(row);
    } catch (const Error& error) {
      table.FailedPoint = static_cast<int>(k) + 1;
      table.FailureMessage = error.message(state.InterfaceLanguage);
      return table;
    }
  }
  const Real N = static_cast<Real>(data.N);
  table.E_yT = std::sqrt(sumYT / N);
  table.E_yP = std::sqrt(sumYP / N);
  table.E_T = std::sqrt(sumT / N) * kZeroCelsiusK;
  table.E_P = std::sqrt(sumP / N) / kPaPerMmHg;
  table.Complete = true;
  return table;
}

AdequacyTable checkAdequacy(SessionState& state, const Database& db,
                            const YesNoQuestion& onInversionError) {
  const std::unique_ptr<TVLEObj> model =
      makeModelObject(state.Components, state.SelectedCount, state.ParameterSet);
  return checkAdequacy(state, db, *model, onInversionError);
}

void writeAdequacyTable(ReportDocument& report, const AdequacyTable& table,
                        const SessionState& state, bool withSummary,
                        const std::string& decimalSeparator) {
  const Language lang = state.InterfaceLanguage;
  report.append(std::string(texts::kSystemLine.in(lang)) + systemName(state) + "\r\n" +
                std::string(texts::kAdequacyColumnTitles.in(lang)));
  for (const AdequacyRow& row : table.Rows) {
    report.append(
        formatReport(texts::kAdequacyRowFormat,
                     {row.TemperatureC, row.PressureMmHg, row.X1MolePercent, row.X1MassPercent,
                      row.Y1MolePercent, row.Y1MassPercent, row.Gamma1, row.Gamma2},
                     decimalSeparator));
    // A point beyond the property data of a component: a note line under its row.
    for (const RangeWarning& warning :
         rangeWarnings(state.Components, state.ParameterSet.ComponentCount,
                       state.ParameterSet.ModelCode, row.TemperatureC)) {
      report.append("  " + rangeWarningText(warning, lang));
    }
  }
  // An incomplete table has no summary: its errors would not be those of the data set.
  if (!withSummary || !table.Complete || table.PointCount == 0) return;
  report.append(formatReport(
      texts::kAdequacySummaryFormat.in(lang),
      {texts::kAdequacySummaryTitle.in(lang), texts::kAdequacySummaryComposition.in(lang),
       table.E_yT, table.E_yP, texts::kAdequacySummaryTemperature.in(lang), table.E_T,
       texts::kAdequacySummaryPressure.in(lang), table.E_P},
      decimalSeparator));
}

SessionResult runCalculationSession(Dialogs& dialogs, ReportDocument& report, SessionState& state,
                                    const Database& db, const SessionOptions& options) {
  struct RunIndicator {
    explicit RunIndicator(Dialogs& d) : dialogs(d) { dialogs.setRunIndicator(true); }
    ~RunIndicator() { dialogs.setRunIndicator(false); }
    Dialogs& dialogs;
  };
  bool saveFailed = false;
  SessionResult result =
      session_detail::runSession(dialogs, state.InterfaceLanguage, [&](Dialogs& guarded) {
        const RunIndicator running(guarded);
        SessionContext context{guarded, report, state, db, options, &saveFailed};
        calculationSession(context);
      });
  result.SaveFailed = saveFailed;
  return result;
}

}  // namespace bubblix
