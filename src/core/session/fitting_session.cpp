#include "core/session/fitting_session.h"

#include <array>
#include <span>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/experimental_data.h"
#include "core/data/mixture_loading.h"
#include "core/data/properties.h"
#include "core/data/unifac_tables.h"
#include "core/fitting/binary_fit.h"
#include "core/fitting/fitting_objectives.h"
#include "core/fitting/objective_fit.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/fitting/unifac_start_estimate.h"
#include "core/io/number_format.h"
#include "core/report/fit_progress.h"
#include "core/report/objective_report.h"
#include "core/session/dialog_rules.h"
#include "core/session/fitting_method.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/session/session_callbacks.h"
#include "core/session/session_support.h"
#include "core/texts/session_texts.h"
#include "core/texts/solver_texts.h"
#include "core/texts/start_estimate_texts.h"

namespace bubblix {

namespace session_detail {

namespace {

constexpr int kSessionGridExtraHeight = 219;

// The three ways of a pair without experimental data, in the order the question offers them.
enum class NoDataChoice : std::uint8_t {
  OwnEntry,    // the user enters the parameters
  EndProgram,  // the user ends the program
  Alternative  // UNIFAC: the literature group values; the other models: start again with UNIFAC
};

// The groups a UNIFAC pair's parameters are indexed by: its distinct main groups (variant 1)
// or its subgroups (variant 2), in order of first appearance.
struct PairGroups {
  int Count = 0;
  std::array<std::uint8_t, 10> MainGroups{};
  std::array<std::uint8_t, 10> Letters{};
};

class FittingRun {
 public:
  FittingRun(SessionContext& context, bool offerToSave)
      : c_(context),
        lang_(context.lang()),
        n_(context.state.SelectedCount),
        offerToSave_(offerToSave),
        set_(context.state.ParameterSet) {
    fitting_.CallCounter = context.state.FitCallCounter;
  }
  // The objective calls are counted on however the session ends.
  ~FittingRun() { c_.state.FitCallCounter = fitting_.CallCounter; }
  FittingRun(const FittingRun&) = delete;
  FittingRun& operator=(const FittingRun&) = delete;

  FittingResult run();

 private:
  enum class PairEnd { Done, SwitchToUnifac };

  void chooseModel();
  void startModel();
  PairEnd processPair(int i, int j);
  NoDataChoice askNoDataSource(int i, int j);
  FitControls controls(int progressLine);

  PairParameters fitBinary(int i, int j, int progressLine);
  // The fit to the options' objective after the y1 fit, from its result when it ended
  // normally (y1Done) and from `dataStart` otherwise; the pair gets the new values.
  void refitToObjective(PairParameters& pair, int i, int j, int n, const FitResult& y1, bool y1Done,
                        const TParamVector& dataStart, const ObjectiveReportParameters& names,
                        int progressLine);
  ObjectiveReportParameters binaryParameterNames() const;
  ObjectiveReportParameters unifacParameterNames(const PairGroups& groups) const;
  PairParameters enterBinary(int i, int j);
  void storeBinary(const PairParameters& pair);
  std::string binaryResultLine(PairParameters& pair) const;
  // The report line of a start vector other than the built-in one; empty for the built-in.
  std::string startLine(const StartChoice& start) const;
  // The y1 fit of the session's model (Wilson, NRTL or UNIQUAC) from its start vector.
  FitResult fitModel(int i, int j, const FitControls& controls);

  PairGroups pairGroups(int i, int j) const;
  PairParameters fitUnifac(int i, int j, int progressLine);
  PairParameters enterUnifac(int i, int j, const PairGroups& groups);
  PairParameters literatureUnifac(int i, int j, const PairGroups& groups);
  // With two slots i < j the pair, with (0, n) the whole mixture: shows the error and
  // returns true when two of the components' main groups have no reference interaction.
  bool refuseWithoutReference(int i, int j);
  // UNIFAC: the mixture's groups, collected before merging, must fit the 10 of the group
  // lists; more end the session with a message naming the mixture and the count.
  void refuseTooManyGroups();
  std::vector<std::string> groupNames(const PairGroups& groups) const;
  std::string unifacResultLine(PairParameters& pair, const PairGroups& groups) const;
  void setGroupParameters(const PairGroups& groups, const std::vector<Real>& values);

  std::string number(Real value) const {
    return formatGeneral(value, 6, c_.options.DecimalSeparator);
  }
  const std::string& name(int slot) const {
    return mixture_.ComponentNames[static_cast<std::size_t>(slot)];
  }
  std::string unit() const {
    return c_.text(model_ == Model::UNIFAC ? texts::kUnitKelvin : texts::kUnitKJPerMole);
  }

  SessionContext& c_;
  Language lang_;
  int n_;
  bool offerToSave_;
  TParameterSet set_;  // the set being built; the state's set changes only when it is complete
  // The start of the pair being fitted (Wilson, NRTL, UNIQUAC with data); none otherwise.
  std::optional<StartChoice> start_;
  Mixture mixture_;
  FittingState fitting_;
  Model model_ = Model::Wilson;  // chosen before anything else
  std::string method_;
  FittingResult result_;
};

FittingResult FittingRun::run() {
  if (n_ < 2 || n_ > 4) {
    throw InputError(kSolverComponentCount, {std::to_string(n_)});
  }
  result_.ConstraintUsed.assign(c_.options.Objective.Constraints.size(), false);
  chooseModel();
  refuseTooManyGroups();
  bool restart = true;
  while (restart) {
    restart = false;
    startModel();
    // UNIFAC variant 1 may take the literature values for the whole mixture instead.
    if (model_ == Model::UNIFAC && result_.UnifacVariant == UnifacVariant::MainGroups) {
      VariantRequest question;
      question.Prompt = c_.text(texts::kLiteratureQuestion);
      question.ItemCount = 2;
      question.Items[1] = c_.text(texts::kVariant1Recommended);
      question.Items[2] = c_.text(texts::kVariant2);
      // The caption stays as the variant question left it.
      question.FormCaption = c_.text(texts::kUnifacVariantCaption);
      if (c_.dialogs.chooseVariant(question).Tag != 0) {
        // Literature values exist only between the main groups of the built-in components;
        // otherwise the pairs are fitted (or entered) as without the choice.
        if (!refuseWithoutReference(0, n_)) {
          result_.LiteratureSet = true;
          break;
        }
      }
    }
    for (int i = 0; i < n_ && !restart; ++i) {
      for (int j = i; j < n_; ++j) {
        if (processPair(i, j) == PairEnd::SwitchToUnifac) {
          model_ = Model::UNIFAC;
          refuseTooManyGroups();
          result_.Pairs.clear();
          restart = true;
          break;
        }
      }
    }
  }

  if (model_ == Model::UNIFAC) storeUnifacGroups(fitting_.Tables, mixture_, n_, set_);
  result_.Model = model_;

  // The set is complete: it becomes the session's.
  SessionState& state = c_.state;
  state.ParameterSet = set_;
  state.Components = mixture_;
  state.FittedModel = model_;

  if (offerToSave_) {
    try {
      result_.SavedFile =
          offerToSaveParameterFile(c_.dialogs, set_, lang_, state.Files, systemFileSystem(), c_.db);
    } catch (const Error& error) {
      // The set stays in memory for the rest of the session; only the file is missing, and
      // the session says so when it ends.
      if (c_.saveFailed != nullptr) *c_.saveFailed = true;
      c_.dialogs.showError(error.message(lang_), lang_);
    }
  }
  return result_;
}

void FittingRun::chooseModel() {
  ModelRequest request;
  request.FormCaption = c_.text(texts::kModelDialogCaption);
  request.Prompt = c_.text(texts::kModelDialogPrompt);
  request.WarnText = c_.text(texts::kModelDialogWarning);
  request.Lang = lang_;
  const ModelAnswer answer = c_.dialogs.chooseModel(request);
  if (answer.Exit || answer.Tag < 0 || answer.Tag > 3) {
    // The user is told why nothing was fitted.
    const std::string message = c_.text(texts::kSessionEnded, {c_.text(texts::kModelDialogLeft)});
    c_.dialogs.showWarning(message, lang_);
    throw SessionStop{SessionOutcome::Stopped, message};
  }
  model_ = kModels[static_cast<std::size_t>(answer.Tag)];
  set_.ComponentCount = static_cast<std::uint8_t>(n_);
  set_.Components = {};
  for (int i = 0; i < n_; ++i) {
    set_.Components[static_cast<std::size_t>(i)] =
        c_.state.SelectedComponents[static_cast<std::size_t>(i)];
  }
}

void FittingRun::startModel() {
  set_.ModelCode = model_;
  method_ = std::string(modelName(model_));
  result_.UnifacVariant.reset();
  if (model_ == Model::UNIFAC) {
    VariantRequest question;
    question.FormCaption = c_.text(texts::kUnifacVariantCaption);
    question.Prompt = c_.text(texts::kUnifacVariantQuestion);
    question.ItemCount = 2;
    question.Items[1] = c_.text(texts::kUnifacVariant1);
    question.Items[2] = c_.text(texts::kVariant2);
    const UnifacVariant variant = c_.dialogs.chooseVariant(question).Tag == 0
                                      ? UnifacVariant::MainGroups
                                      : UnifacVariant::Subgroups;
    result_.UnifacVariant = variant;
    fitting_.Tables = startUnifacTables(c_.db.ReferenceMainGroupTable, variant);
  }
  c_.report.append(c_.text(texts::kFittingTitle) + "\r\n");
  // A method other than y1 is named under the title (none: the described report).
  const std::vector<std::string> method =
      fittingMethodReportLines(c_.options.Objective, lang_, c_.options.DecimalSeparator);
  for (std::size_t k = 0; k < method.size(); ++k)
    c_.report.append(k + 1 == method.size() ? method[k] + "\r\n" : method[k]);
  mixture_ = loadMixture(c_.db, componentNumbers(set_), lang_);
}

FitControls FittingRun::controls(int progressLine) {
  FitControls controls;
  controls.AskToContinue = slowConvergenceQuestion(c_.dialogs, lang_);
  controls.Progress = progressLineWriter(
      {&c_.report, progressLine, lang_, c_.options.DecimalSeparator}, fitting_.Fit);
  controls.IterationLimit = c_.options.IterationLimit;
  return controls;
}

NoDataChoice FittingRun::askNoDataSource(int i, int j) {
  VariantRequest question;
  question.FormCaption = c_.text(texts::kChoiceOfVariant);
  const std::vector<std::string> args = {name(i), name(j), method_};
  question.Prompt =
      c_.text(texts::kNoDataAbsent, args) + c_.text(texts::kNoDataOwnEntry, args) +
      c_.text(texts::kNoDataEndProgram) +
      c_.text(model_ == Model::UNIFAC ? texts::kNoDataBrandeck : texts::kNoDataSwitchToUnifac);
  question.ItemCount = 3;
  question.Items[1] = c_.text(texts::kVariant1);
  question.Items[2] = c_.text(texts::kVariant2);
  question.Items[3] = c_.text(texts::kVariant3);
  while (true) {
    const int tag = c_.dialogs.chooseVariant(question).Tag;
    const NoDataChoice choice = tag <= 0   ? NoDataChoice::OwnEntry
                                : tag == 1 ? NoDataChoice::EndProgram
                                           : NoDataChoice::Alternative;
    // The switch to UNIFAC takes the literature values of the whole mixture, UNIFAC's third
    // choice those of the pair: refused where they hold none.
    if (choice == NoDataChoice::Alternative &&
        (model_ == Model::UNIFAC ? refuseWithoutReference(i, j) : refuseWithoutReference(0, n_))) {
      continue;
    }
    if (choice == NoDataChoice::OwnEntry && model_ == Model::UNIFAC) {
      // The entry grid holds at most 25 columns.
      const int m = pairGroups(i, j).Count;
      if (m * (m - 1) > kMaxGridCells) {
        c_.dialogs.showError(c_.text(texts::kTooManyGroupParameters,
                                     {name(i), name(j), std::to_string(m * (m - 1))}),
                             lang_);
        continue;
      }
    }
    return choice;
  }
}

FittingRun::PairEnd FittingRun::processPair(int i, int j) {
  const auto I = static_cast<std::size_t>(i);
  const auto J = static_cast<std::size_t>(j);
  if (i == j) {
    set_.WilsonEnergy[I][I] = 0.0L;
    set_.NRTLEnergy[I][I] = 0.0L;
    set_.NRTLAlpha[I][I] = 0.0L;
    set_.UNIQUACEnergy[I][I] = 0.0L;
    return PairEnd::Done;
  }

  std::string heading = c_.text(texts::kPairHeading, {name(i), name(j), method_});
  const int a = set_.Components[I];
  const int b = set_.Components[J];
  const bool hasData = pairHasData(c_.db, a, b);
  c_.state.DataMissing = hasData ? 0 : 1;
  std::optional<NoDataChoice> choice;  // only without data
  start_.reset();
  if (!hasData) {
    choice = askNoDataSource(i, j);
    if (choice == NoDataChoice::OwnEntry) heading += ".\r\n" + c_.text(texts::kPairHeadingUser);
  } else {
    const ExperimentalPoints points = pairExperimentalPoints(c_.db, a, b);
    loadExperimentalPoints(points, fitting_.Fit);
    if (model_ != Model::UNIFAC) {
      start_ = chooseStartVector(c_.db, a, b, mixture_, i, j, model_, fitting_.Fit);
    }
    c_.state.Pressure = points.P;
    heading += c_.text(texts::kPairHeadingFitted);
    c_.dialogs.setStatusText(c_.text(texts::kPleaseWait));
    c_.dialogs.processPendingMessages();
  }
  c_.report.append(heading);
  const int progressLine = c_.report.lineCount();

  if (choice == NoDataChoice::EndProgram) {
    throw SessionStop{SessionOutcome::QuitRequested, {}};
  }
  if (choice == NoDataChoice::Alternative && model_ != Model::UNIFAC) {
    return PairEnd::SwitchToUnifac;
  }

  PairParameters pair;
  std::string resultLine;
  if (model_ == Model::UNIFAC) {
    const PairGroups groups = pairGroups(i, j);
    if (hasData) {
      pair = fitUnifac(i, j, progressLine);
    } else if (choice == NoDataChoice::OwnEntry) {
      pair = enterUnifac(i, j, groups);
    } else {
      c_.report.append(c_.text(texts::kLiteratureValues));
      pair = literatureUnifac(i, j, groups);
    }
    resultLine = unifacResultLine(pair, groups);
  } else {
    try {
      pair = hasData ? fitBinary(i, j, progressLine) : enterBinary(i, j);
    } catch (const Error&) {
      // A fit that ends the session still says where it started.
      if (start_ && start_->Source != StartSource::BuiltIn) c_.report.append(startLine(*start_));
      throw;
    }
    storeBinary(pair);
    resultLine = binaryResultLine(pair);
    // Below the progress line: the start the fit took in the end, for a pair without built-in
    // start values.
    if (start_ && start_->Source != StartSource::BuiltIn) {
      c_.report.append(startLine(*start_));
      pair.Start = start_->Source;
      pair.StartValues.assign(start_->Values.begin(),
                              start_->Values.begin() + static_cast<std::ptrdiff_t>(start_->Count));
    }
  }
  if (pair.ObjectiveFit) {
    // The objective's lines follow the result line, before the pair's closing empty line.
    c_.report.append(resultLine);
    const ObjectiveReportParameters names =
        model_ == Model::UNIFAC ? unifacParameterNames(pairGroups(i, j)) : binaryParameterNames();
    for (const std::string& line :
         objectiveReportLines(*pair.ObjectiveFit, names, lang_, c_.options.DecimalSeparator)) {
      c_.report.append(line);
    }
    c_.report.append("");
  } else {
    c_.report.append(resultLine + "\r\n");
  }
  result_.Pairs.push_back(std::move(pair));
  c_.dialogs.setStatusText("");
  c_.dialogs.processPendingMessages();
  return PairEnd::Done;
}

// ---- Wilson, NRTL, UNIQUAC ----

// The labels of Wilson, NRTL and UNIQUAC; UNIFAC's parameters are named by their groups.
const texts::BinaryModelLabels& labelsOf(Model model) {
  switch (model) {
    case Model::NRTL:
      return texts::kNrtlLabels;
    case Model::UNIQUAC:
      return texts::kUniquacLabels;
    case Model::Wilson:
    case Model::UNIFAC:
      break;
  }
  return texts::kWilsonLabels;
}

// "  l12-l11 = " gives "l12-l11".
std::string labelName(std::string_view resultLabel) {
  std::string_view label = trimBlanks(resultLabel);
  if (!label.empty() && label.back() == '=') label.remove_suffix(1);
  return std::string(trimBlanks(label));
}

PairParameters FittingRun::fitBinary(int i, int j, int progressLine) {
  PairParameters pair;
  pair.I = i + 1;
  pair.J = j + 1;
  pair.Source = ParameterSource::Fitted;
  const FitControls fitControls = controls(progressLine);
  const bool refit = c_.options.Objective.Objective != FitObjective::Y1;
  FitResult fit;
  bool y1Done = true;
  TParamVector dataStart{};
  int n = 2;
  {
    const BusyCursor busy(c_.dialogs);
    try {
      switch (model_) {
        case Model::Wilson:
          dataStart = fitting_.Fit.WilsonStart;
          break;
        case Model::NRTL:
          dataStart = fitting_.Fit.NRTLStart;
          n = 3;
          break;
        case Model::UNIQUAC:
          dataStart = fitting_.Fit.UNIQUACStart;
          break;
        case Model::UNIFAC:
          break;
      }
      if (start_ && start_->Source == StartSource::Unifac) {
        // From the estimate without the slow-convergence question: a fit that does not converge
        // within the limit from there (or meets a value it cannot evaluate) starts again from
        // the fixed vector, under the usual rules, so the estimate never does worse than that.
        FitControls first = fitControls;
        first.AskToContinue = nullptr;
        bool fromEstimate = true;
        try {
          fit = fitModel(i, j, first);
        } catch (const NoConvergenceError&) {
          fromEstimate = false;
        } catch (const ArithmeticError&) {
          fromEstimate = false;
        }
        if (!fromEstimate) {
          start_->Source = StartSource::Fixed;
          start_->Reason = FixedStartReason::FitFailed;
          start_->Values = start_->FixedValues;
          dataStart = start_->FixedValues;
          TParamVector& vector =
              model_ == Model::Wilson ? fitting_.Fit.WilsonStart : fitting_.Fit.UNIQUACStart;
          vector = start_->FixedValues;
          fit = fitModel(i, j, fitControls);
        }
      } else {
        fit = fitModel(i, j, fitControls);
      }
    } catch (const NoConvergenceError&) {
      if (!refit) throw;
      y1Done = false;
    } catch (const ArithmeticError&) {
      if (!refit) throw;
      y1Done = false;
    }
  }
  for (int k = 0; k < fit.ParameterCount; ++k) {
    pair.Values.push_back(fit.Parameters[static_cast<std::size_t>(k)]);
  }
  pair.Rms = fit.E;
  pair.Iterations = fit.Iterations;
  pair.Points = fitting_.Fit.N;
  if (refit) {
    refitToObjective(pair, i, j, n, fit, y1Done, dataStart, binaryParameterNames(), progressLine);
  }
  return pair;
}

FitResult FittingRun::fitModel(int i, int j, const FitControls& controls) {
  switch (model_) {
    case Model::Wilson:
      return fitWilson(fitting_, mixture_, i, j, controls);
    case Model::NRTL:
      return fitNRTL(fitting_, mixture_, i, j, controls);
    case Model::UNIQUAC:
      return fitUNIQUAC(fitting_, mixture_, i, j, controls);
    case Model::UNIFAC:
      break;
  }
  return fitUNIFAC(fitting_, mixture_, i, j, controls);
}

ObjectiveReportParameters FittingRun::binaryParameterNames() const {
  const texts::BinaryModelLabels& labels = labelsOf(model_);
  ObjectiveReportParameters names;
  const Real factor = kJPerMolFromReduced(1.0L);
  names.Labels = {labelName(labels.Result1), labelName(labels.Result2)};
  names.DisplayFactors = {factor, factor};
  if (model_ == Model::NRTL) {
    names.Labels.push_back(labelName(texts::kNrtlAlphaResult));
    names.DisplayFactors.push_back(1.0L);
  }
  return names;
}

ObjectiveReportParameters FittingRun::unifacParameterNames(const PairGroups& groups) const {
  ObjectiveReportParameters names;
  const Real factor = kelvinFromReduced(1.0L);
  for (int p = 0; p < groups.Count; ++p) {
    for (int q = 0; q < groups.Count; ++q) {
      if (p == q) continue;
      const auto P = static_cast<std::size_t>(p);
      const auto Q = static_cast<std::size_t>(q);
      const std::string mp = std::to_string(groups.MainGroups[P]);
      const std::string mq = std::to_string(groups.MainGroups[Q]);
      if (fitting_.Tables.Variant == UnifacVariant::MainGroups) {
        names.Labels.push_back("a0[" + mp + "," + mq + "]");
      } else {
        names.Labels.push_back("a[" + mp + static_cast<char>(groups.Letters[P]) + "," + mq +
                               static_cast<char>(groups.Letters[Q]) + "]");
      }
      names.DisplayFactors.push_back(factor);
    }
  }
  return names;
}

bool sameLabel(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[k]) != lower(b[k])) return false;
  }
  return true;
}

void FittingRun::refitToObjective(PairParameters& pair, int i, int j, int n, const FitResult& y1,
                                  bool y1Done, const TParamVector& dataStart,
                                  const ObjectiveReportParameters& names, int progressLine) {
  const ObjectiveOptions& options = c_.options.Objective;
  ObjectiveFitRequest request;
  request.Objective = options.Objective;
  request.Sigmas = options.Sigmas;
  request.Limits.resize(static_cast<std::size_t>(n));
  const int a = set_.Components[static_cast<std::size_t>(i)];
  const int b = set_.Components[static_cast<std::size_t>(j)];
  for (std::size_t c = 0; c < options.Constraints.size(); ++c) {
    const ParameterConstraint& constraint = options.Constraints[c];
    if (constraint.Pair && !(((*constraint.Pair)[0] == a && (*constraint.Pair)[1] == b) ||
                             ((*constraint.Pair)[0] == b && (*constraint.Pair)[1] == a))) {
      continue;
    }
    for (int k = 0; k < n && static_cast<std::size_t>(k) < names.Labels.size(); ++k) {
      const auto K = static_cast<std::size_t>(k);
      if (!sameLabel(names.Labels[K], constraint.Label)) continue;
      result_.ConstraintUsed[c] = true;
      const Real factor = names.DisplayFactors[K];
      ParameterLimits& limits = request.Limits[K];
      // A negative factor would turn the bounds round; the factors are positive constants.
      if (constraint.Fixed) limits.Fixed = *constraint.Fixed / factor;
      if (constraint.Lower) limits.Lower = *constraint.Lower / factor;
      if (constraint.Upper) limits.Upper = *constraint.Upper / factor;
    }
  }
  const std::string name1 = name(i);
  const std::string name2 = name(j);
  request.Progress = [this, progressLine, name1, name2, objective = options.Objective](
                         int iteration, Real rms) {
    ReportDocument& report = c_.report;
    int line = progressLine;
    if (line < 0 || line > report.lineCount()) line = report.lineCount();
    report.insertLine(line, objectiveProgressLine(name1, name2, objective, iteration, rms, lang_,
                                                  c_.options.DecimalSeparator));
    if (line + 1 < report.lineCount()) report.deleteLine(line + 1);
  };
  const TParamVector start = y1Done ? y1.Parameters : dataStart;
  ObjectiveFitResult result;
  {
    const BusyCursor busy(c_.dialogs);
    result = fitObjective(fitting_, mixture_, model_, n, start, request);
  }
  pair.Values = result.Parameters;
  pair.Rms = result.E;
  pair.Iterations = result.Iterations;
  pair.ObjectiveFit = std::move(result);
}

PairParameters FittingRun::enterBinary(int i, int j) {
  const texts::BinaryModelLabels& labels = labelsOf(model_);
  const bool nrtl = model_ == Model::NRTL;
  const std::string enter = c_.text(texts::kEnterWord);
  const std::string unitText = unit();

  GridEntry grid(kSessionGridExtraHeight, 0, 2);
  grid.Lang = lang_;
  grid.FormCaption = c_.text(texts::kEntryGridCaption, {method_});
  grid.Prompt = enter + std::string(labels.Prompt1) + unitText + " (1- " + name(i) + "; 2- " +
                name(j) + ");" + "\r\n" + enter + std::string(labels.Prompt2) + unitText;
  if (nrtl) grid.Prompt += "\r\n" + enter + std::string(texts::kNrtlAlphaPrompt);
  grid.Cols = nrtl ? 3 : 2;
  grid.Rows = 3;
  grid.CellText[0][0] = labels.Column1;
  grid.CellText[1][0] = labels.Column2;
  grid.CellText[0][1] = unitText;
  grid.CellText[1][1] = unitText;
  if (nrtl) grid.CellText[2][0] = texts::kNrtlAlphaColumn;
  c_.dialogs.enterGrid(grid);
  if (grid.Cancelled) {
    throw SessionStop{SessionOutcome::Stopped,
                      c_.text(texts::kSessionEnded, {c_.text(texts::kParameterEntryCancelled)})};
  }

  PairParameters pair;
  pair.I = i + 1;
  pair.J = j + 1;
  pair.Source = ParameterSource::UserEntry;
  pair.Values.push_back(reducedFromKJPerMol(grid.Values[0][2]));
  pair.Values.push_back(reducedFromKJPerMol(grid.Values[1][2]));
  if (nrtl) pair.Values.push_back(grid.Values[2][2]);
  return pair;
}

void FittingRun::storeBinary(const PairParameters& pair) {
  const auto I = static_cast<std::size_t>(pair.I - 1);
  const auto J = static_cast<std::size_t>(pair.J - 1);
  switch (model_) {
    case Model::Wilson:
      set_.WilsonEnergy[I][J] = pair.Values[0];
      set_.WilsonEnergy[J][I] = pair.Values[1];
      break;
    case Model::NRTL:
      set_.NRTLEnergy[I][J] = pair.Values[0];
      set_.NRTLEnergy[J][I] = pair.Values[1];
      set_.NRTLAlpha[I][J] = pair.Values[2];
      set_.NRTLAlpha[J][I] = pair.Values[2];
      break;
    case Model::UNIQUAC:
      set_.UNIQUACEnergy[I][J] = pair.Values[0];
      set_.UNIQUACEnergy[J][I] = pair.Values[1];
      break;
    case Model::UNIFAC:
      break;  // its parameters are the group tables' (setGroupParameters)
  }
}

// The result line; the record gets the line's labels and numbers.
std::string FittingRun::binaryResultLine(PairParameters& pair) const {
  PairParameters& record = pair;
  const texts::BinaryModelLabels& labels = labelsOf(model_);
  const std::string unitText = unit();
  const Real first = kJPerMolFromReduced(pair.Values[0]);
  const Real second = kJPerMolFromReduced(pair.Values[1]);
  record.Labels = {labelName(labels.Result1), labelName(labels.Result2)};
  record.Display = {first, second};
  std::string line = std::string(labels.Result1) + number(first) + unitText +
                     std::string(labels.Result2) + number(second) + unitText;
  if (model_ == Model::NRTL) {
    record.Labels.push_back(labelName(texts::kNrtlAlphaResult));
    record.Display.push_back(pair.Values[2]);
    line += std::string(texts::kNrtlAlphaResult) + number(pair.Values[2]);
  }
  return line;
}

std::string FittingRun::startLine(const StartChoice& start) const {
  const texts::BinaryModelLabels& labels = labelsOf(model_);
  const std::string unitText = unit();
  std::string values = std::string(labels.Result1) + number(kJPerMolFromReduced(start.Values[0])) +
                       unitText + std::string(labels.Result2) +
                       number(kJPerMolFromReduced(start.Values[1])) + unitText;
  if (model_ == Model::NRTL)
    values += std::string(texts::kNrtlAlphaResult) + number(start.Values[2]);
  const std::string first = std::to_string(start.Groups[0]);
  const std::string second = std::to_string(start.Groups[1]);
  switch (start.Source) {
    case StartSource::BuiltIn:
      return {};
    case StartSource::Unifac:
      return c_.text(texts::kStartFromUnifac, {values});
    case StartSource::Fixed:
      break;
  }
  switch (start.Reason) {
    case FixedStartReason::NoReference:
      return c_.text(texts::kStartFixedNoReference, {values, first, second});
    case FixedStartReason::NoReferenceGroup:
      return c_.text(texts::kStartFixedNoReferenceGroup, {values, first});
    case FixedStartReason::NotForModel:
      return c_.text(texts::kStartFixedForModel, {values, std::string(modelName(model_))});
    case FixedStartReason::FitFailed:
      return c_.text(texts::kStartFixedAfterEstimate,
                     {values, std::to_string(c_.options.IterationLimit)});
    case FixedStartReason::None:
    case FixedStartReason::EstimateFailed:
      break;
  }
  return c_.text(texts::kStartFixedEstimateFailed, {values});
}

// ---- UNIFAC ----

PairGroups FittingRun::pairGroups(int i, int j) const {
  const std::array<TComponentGroups, 2> pair = {mixture_.Groups[static_cast<std::size_t>(i)],
                                                mixture_.Groups[static_cast<std::size_t>(j)]};
  const MixtureGroups groups = BuildMixtureGroups(pair);
  PairGroups result;
  if (fitting_.Tables.Variant == UnifacVariant::MainGroups) {
    result.Count = groups.MainGroupCount;
    result.MainGroups = groups.MainGroups;
  } else {
    result.Count = groups.Count;
    result.MainGroups = groups.IdsA;
    result.Letters = groups.IdsB;
  }
  return result;
}

std::vector<std::string> FittingRun::groupNames(const PairGroups& groups) const {
  std::vector<std::string> names;
  for (int p = 0; p < groups.Count; ++p) {
    for (int q = 0; q < groups.Count; ++q) {
      if (p == q) continue;
      const int mp = groups.MainGroups[static_cast<std::size_t>(p)];
      const int mq = groups.MainGroups[static_cast<std::size_t>(q)];
      if (fitting_.Tables.Variant == UnifacVariant::MainGroups) {
        names.push_back(formatReport(texts::kGroupNameFormat1, {" a[", mp, ",", mq, "]"}));
      } else {
        const std::string lp(1, static_cast<char>(groups.Letters[static_cast<std::size_t>(p)]));
        const std::string lq(1, static_cast<char>(groups.Letters[static_cast<std::size_t>(q)]));
        names.push_back(formatReport(texts::kGroupNameFormat2, {" a[", mp, lp, ",", mq, lq, "]"}));
      }
    }
  }
  return names;
}

void FittingRun::setGroupParameters(const PairGroups& groups, const std::vector<Real>& values) {
  const std::span<const std::uint8_t> mainGroups(groups.MainGroups.data(),
                                                 static_cast<std::size_t>(groups.Count));
  const std::span<const std::uint8_t> letters(groups.Letters.data(),
                                              static_cast<std::size_t>(groups.Count));
  std::size_t k = 0;
  for (int p = 0; p < groups.Count; ++p) {
    for (int q = 0; q < groups.Count; ++q) {
      if (p == q) continue;
      SetGroupParameter(fitting_.Tables, mainGroups, letters, p, q, values[k++]);
    }
  }
}

PairParameters FittingRun::fitUnifac(int i, int j, int progressLine) {
  PairParameters pair;
  pair.I = i + 1;
  pair.J = j + 1;
  pair.Source = ParameterSource::Fitted;
  const FitControls fitControls = controls(progressLine);
  const bool refit = c_.options.Objective.Objective != FitObjective::Y1;
  FitResult fit;
  bool y1Done = true;
  {
    const BusyCursor busy(c_.dialogs);
    try {
      fit = fitUNIFAC(fitting_, mixture_, i, j, fitControls);
    } catch (const NoConvergenceError&) {
      if (!refit) throw;
      y1Done = false;
    } catch (const ArithmeticError&) {
      if (!refit) throw;
      y1Done = false;
    }
  }
  for (int k = 0; k < fit.ParameterCount; ++k) {
    pair.Values.push_back(fit.Parameters[static_cast<std::size_t>(k)]);
  }
  pair.Rms = fit.E;
  pair.Iterations = fit.Iterations;
  pair.Points = fitting_.Fit.N;
  const PairGroups groups = pairGroups(i, j);
  const int n = groups.Count * (groups.Count - 1);
  if (refit && n > 0) {
    TParamVector dataStart{};
    for (int k = 0; k < n; ++k)
      dataStart[static_cast<std::size_t>(k)] = kUnifacStartValue;
    refitToObjective(pair, i, j, n, fit, y1Done, dataStart, unifacParameterNames(groups),
                     progressLine);
  }
  return pair;
}

PairParameters FittingRun::enterUnifac(int i, int j, const PairGroups& groups) {
  PairParameters pair;
  pair.I = i + 1;
  pair.J = j + 1;
  pair.Source = ParameterSource::UserEntry;
  const std::vector<std::string> names = groupNames(groups);
  const int count = static_cast<int>(names.size());
  if (count == 0) return pair;  // one group: nothing to enter

  const std::string unitText = unit();
  GridEntry grid(kSessionGridExtraHeight, 0, 2);
  grid.Lang = lang_;
  grid.FormCaption = c_.text(texts::kEntryGridCaption, {method_});
  grid.Cols = count;
  grid.Rows = 3;
  grid.Prompt = c_.text(texts::kUnifacEntryCount) + std::to_string(count) + "\r\n" +
                c_.text(texts::kEnterWord);
  for (int k = 0; k < count; ++k) {
    const auto col = static_cast<std::size_t>(k);
    grid.CellText[col][0] = "  " + names[col];
    grid.CellText[col][1] = "  " + unitText;
    grid.CellText[col][2].clear();
    grid.Prompt += names[col] + unitText;
  }
  c_.dialogs.enterGrid(grid);
  if (grid.Cancelled) {
    throw SessionStop{SessionOutcome::Stopped,
                      c_.text(texts::kSessionEnded, {c_.text(texts::kParameterEntryCancelled)})};
  }
  for (int k = 0; k < count; ++k) {
    pair.Values.push_back(reducedFromKelvin(grid.Values[static_cast<std::size_t>(k)][2]));
  }
  setGroupParameters(groups, pair.Values);
  return pair;
}

void FittingRun::refuseTooManyGroups() {
  if (model_ != Model::UNIFAC) return;
  int total = 0;
  std::string system;
  for (int k = 0; k < n_; ++k) {
    const std::uint16_t number = set_.Components[static_cast<std::size_t>(k)];
    total += c_.db.ComponentBase.at(static_cast<std::size_t>(number - 1)).Groups.Count;
    system += (system.empty() ? "" : "-") + componentName(c_.db, number, lang_);
  }
  if (total <= 10) return;
  const std::string message =
      c_.text(texts::kTooManyMixtureGroups, {system, std::to_string(total)});
  c_.dialogs.showError(message, lang_);
  throw SessionStop{SessionOutcome::Stopped, message};
}

bool FittingRun::refuseWithoutReference(int i, int j) {
  std::vector<TComponentGroups> groups;
  std::string system;
  const bool whole = i == 0 && j == n_;
  for (int k = 0; k < n_; ++k) {
    if (!whole && k != i && k != j) continue;
    const auto slot = static_cast<std::size_t>(k);
    const std::uint16_t number = set_.Components[slot];
    groups.push_back(c_.db.ComponentBase.at(static_cast<std::size_t>(number - 1)).Groups);
    system += (system.empty() ? "" : "-") + componentName(c_.db, number, lang_);
  }
  const auto missing = mainGroupPairWithoutReference(c_.db.ReferenceMainGroupTable, groups);
  if (!missing) return false;
  c_.dialogs.showError(
      c_.text(texts::kNoReferenceGroupPair,
              {std::to_string((*missing)[0]), std::to_string((*missing)[1]), system}),
      lang_);
  return true;
}

PairParameters FittingRun::literatureUnifac(int i, int j, const PairGroups& groups) {
  PairParameters pair;
  pair.I = i + 1;
  pair.J = j + 1;
  pair.Source = ParameterSource::Literature;
  for (int p = 0; p < groups.Count; ++p) {
    for (int q = 0; q < groups.Count; ++q) {
      if (p == q) continue;
      const int mp = groups.MainGroups[static_cast<std::size_t>(p)];
      const int mq = groups.MainGroups[static_cast<std::size_t>(q)];
      pair.Values.push_back(mp == mq ? 0.0L
                                     : fitting_.Tables.MainGroupTable[static_cast<std::size_t>(
                                           mp - 1)][static_cast<std::size_t>(mq - 1)]);
    }
  }
  setGroupParameters(groups, pair.Values);
  return pair;
}

std::string FittingRun::unifacResultLine(PairParameters& pair, const PairGroups& groups) const {
  PairParameters& record = pair;
  const std::string unitText = unit();
  std::string line;
  std::size_t k = 0;
  record.Labels.clear();
  record.Display.clear();
  for (int p = 0; p < groups.Count; ++p) {
    for (int q = 0; q < groups.Count; ++q) {
      if (p == q || k >= pair.Values.size()) continue;
      const int mp = groups.MainGroups[static_cast<std::size_t>(p)];
      const int mq = groups.MainGroups[static_cast<std::size_t>(q)];
      const Real kelvin = kelvinFromReduced(pair.Values[k++]);
      std::string item;
      if (fitting_.Tables.Variant == UnifacVariant::MainGroups) {
        item =
            formatReport(texts::kGroupResultFormat1, {mp, mq, kelvin}, c_.options.DecimalSeparator);
      } else {
        const std::string lp(1, static_cast<char>(groups.Letters[static_cast<std::size_t>(p)]));
        const std::string lq(1, static_cast<char>(groups.Letters[static_cast<std::size_t>(q)]));
        item = formatReport(texts::kGroupResultFormat2, {mp, lp, mq, lq, kelvin},
                            c_.options.DecimalSeparator);
      }
      // A view into `item` itself: item.substr() would be a temporary that dies at once.
      const std::string_view label = trimBlanks(std::string_view(item).substr(0, item.find('=')));
      record.Labels.emplace_back(label);
      record.Display.push_back(kelvin);
      line += item + unitText;
    }
  }
  return line;
}

}  // namespace

FittingResult fittingSession(SessionContext& context, bool offerToSave) {
  FittingRun run(context, offerToSave);
  return run.run();
}

}  // namespace session_detail

FittingResult runFittingSession(Dialogs& dialogs, ReportDocument& report, SessionState& state,
                                const Database& db, const SessionOptions& options,
                                bool offerToSave) {
  FittingResult result;
  bool saveFailed = false;
  result.Session =
      session_detail::runSession(dialogs, state.InterfaceLanguage, [&](Dialogs& guarded) {
        session_detail::SessionContext context{guarded, report, state, db, options, &saveFailed};
        result = session_detail::fittingSession(context, offerToSave);
      });
  result.Session.SaveFailed = saveFailed;
  return result;
}

}  // namespace bubblix
