#include "core/report/consistency_report.h"

#include <cmath>

#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/consistency_texts.h"

namespace bubblix {
namespace {

std::string fixed(Real v, int decimals, std::string_view sep) {
  const char* pattern[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f", "%.5f"};
  // A value that rounds to zero is shown without a minus sign.
  const Real half = 0.5L * std::pow(10.0L, -decimals);
  return formatReport(pattern[decimals], {std::fabs(v) < half ? 0.0L : v}, sep);
}

std::string point(std::size_t index) {
  return std::to_string(index + 1);
}

std::string kindLine(const ConsistencyCheck& check, Language lang, std::string_view sep) {
  const DataRanges& r = check.Ranges;
  switch (check.Kind) {
    case DataSetKind::Isobaric:
      return render(kConsistencyIsobaric, lang, {fixed(paToMmHg(r.PMin), 2, sep)});
    case DataSetKind::Isothermal:
      return render(kConsistencyIsothermal, lang, {fixed(celsiusFromTau(r.TauMin), 2, sep)});
    case DataSetKind::Mixed:
      break;
  }
  return render(kConsistencyMixed, lang,
                {fixed(celsiusFromTau(r.TauMin), 2, sep), fixed(celsiusFromTau(r.TauMax), 2, sep),
                 fixed(paToMmHg(r.PMin), 2, sep), fixed(paToMmHg(r.PMax), 2, sep)});
}

void areaLines(const ConsistencyCheck& check, Language lang, std::string_view sep,
               std::vector<std::string>& lines) {
  if (!check.Area) {
    lines.push_back(render(kAreaNotComputedLine, lang));
    return;
  }
  const AreaTestResult& a = check.Area.value();
  const std::string verdict = verdictText(a.Result, lang);
  switch (a.Method) {
    case AreaMethod::Herington:
      lines.push_back(
          render(kHeringtonLine, lang,
                 {fixed(a.D, 2, sep), fixed(a.J, 2, sep), fixed(a.D - a.J, 2, sep), verdict}));
      break;
    case AreaMethod::RedlichKister:
      lines.push_back(render(kRedlichKisterLine, lang, {fixed(a.D, 2, sep), verdict}));
      break;
    case AreaMethod::None:
      lines.push_back(render(kAreaNotApplicableLine, lang, {fixed(a.D, 2, sep)}));
      break;
  }
}

void pointLines(const ConsistencyCheck& check, Language lang, std::string_view sep,
                std::vector<std::string>& lines) {
  const PointTestResult& p = check.Point;
  if (p.Failure) {
    lines.push_back(render(kPointTestFailedLine, lang, {p.Failure->message(lang)}));
    return;
  }
  lines.push_back(render(kPointTestHeading, lang,
                         {std::to_string(p.Terms),
                          render(p.FitsPressures ? kFittedPressures : kFittedTemperatures, lang)}));
  std::string coefficients;
  for (std::size_t k = 0; k < p.Coefficients.size(); ++k) {
    if (k > 0) coefficients += ", ";
    coefficients += "a" + std::to_string(k) + " = " + fixed(p.Coefficients[k], 5, sep);
  }
  lines.push_back(render(kPointTestCoefficients, lang, {coefficients}));
  const std::string dw = p.DurbinWatson ? fixed(*p.DurbinWatson, 2, sep) : std::string("-");
  const std::string verdict = verdictText(check.PointVerdict, lang);
  if (p.FitsPressures) {
    lines.push_back(
        render(kPointTestResultP, lang,
               {fixed(p.MeanAbsDy, 5, sep), fixed(paToMmHg(p.MeanAbsDp), 3, sep), dw, verdict}));
  } else {
    lines.push_back(render(kPointTestResultT, lang,
                           {fixed(p.MeanAbsDy, 5, sep), fixed(p.MeanAbsDt, 3, sep), dw, verdict}));
  }
}

void endPointLines(const ConsistencyCheck& check, const std::array<std::string, 2>& names,
                   Language lang, std::string_view sep, std::vector<std::string>& lines) {
  if (check.Plausibility.EndPoints.empty()) {
    lines.push_back(render(kNoEndPoints, lang));
    return;
  }
  for (const EndPointCheck& e : check.Plausibility.EndPoints) {
    const std::string& name = names[static_cast<std::size_t>(e.Slot)];
    const std::string x1 = fixed(e.x1, 0, sep);
    if (e.Pressure) {
      lines.push_back(
          render(kEndPointP, lang,
                 {x1, fixed(paToMmHg(e.Measured), 2, sep), name, fixed(paToMmHg(e.Pure), 2, sep),
                  fixed(paToMmHg(e.difference()), 2, sep)}));
    } else {
      lines.push_back(render(
          kEndPointT, lang,
          {x1, fixed(celsiusFromTau(e.Measured), 2, sep), name,
           fixed(celsiusFromTau(e.Pure), 2, sep), fixed(e.difference() * kZeroCelsiusK, 2, sep)}));
    }
  }
}

}  // namespace

std::string verdictText(Verdict verdict, Language lang) {
  switch (verdict) {
    case Verdict::Consistent:
      return std::string(kVerdictConsistent.in(lang));
    case Verdict::Inconsistent:
      return std::string(kVerdictInconsistent.in(lang));
    case Verdict::NotApplicable:
      return std::string(kVerdictNotApplicable.in(lang));
    case Verdict::NotValidTwoLiquids:
      break;
  }
  return std::string(kVerdictNotValidTwoLiquids.in(lang));
}

std::string warningText(const DataWarning& w, Language lang, std::string_view sep) {
  const auto& v = w.Values;
  switch (w.Kind) {
    case WarningKind::EndPoint: {
      const std::string unit =
          w.Pressure ? (lang == Language::English ? " mm Hg" : " мм рт.ст.") : std::string(" K");
      return render(kWarningEndPoint, lang, {fixed(v[0], 0, sep), fixed(v[1], 2, sep) + unit});
    }
    case WarningKind::RepeatedPoint:
      return render(kWarningRepeatedPoint, lang, {point(w.Points[0]), point(w.Points[1])});
    case WarningKind::RepeatedBlock:
      return render(
          kWarningRepeatedBlock, lang,
          {point(w.Points[0]), point(w.Points[1]), point(w.Points[2]), point(w.Points[3])});
    case WarningKind::FallingVapour:
      return render(kWarningFallingVapour, lang,
                    {point(w.Points[0]), point(w.Points[1]), fixed(v[0], 4, sep),
                     fixed(v[1], 4, sep), fixed(v[2], 4, sep), fixed(v[3], 4, sep)});
    case WarningKind::AzeotropePoint:
      return render(kWarningAzeotropePoint, lang, {point(w.Points[0]), fixed(v[0], 5, sep)});
    case WarningKind::TwoLiquids:
      break;
  }
  return render(w.Pressure ? kWarningTwoLiquidsPressure : kWarningTwoLiquids, lang,
                {fixed(v[0], 4, sep), fixed(v[1], 4, sep), std::to_string(w.Points[0]),
                 fixed(v[2], 2, sep), fixed(v[3], 4, sep)});
}

std::vector<std::string> consistencyReportLines(const ConsistencyCheck& check,
                                                const std::array<std::string, 2>& names,
                                                Language lang, std::string_view sep) {
  std::vector<std::string> lines;
  lines.push_back(
      render(kConsistencyHeading, lang,
             {names[0], names[1], std::to_string(check.PointCount), kindLine(check, lang, sep)}));
  lines.push_back(render(kConsistencyPointsUsed, lang, {std::to_string(check.Gammas.size())}));
  areaLines(check, lang, sep, lines);
  pointLines(check, lang, sep, lines);
  endPointLines(check, names, lang, sep, lines);
  for (const DataWarning& w : check.Plausibility.Warnings)
    lines.push_back(render(kWarningLine, lang, {warningText(w, lang, sep)}));
  return lines;
}

std::vector<std::string> builtInConsistencyReport(const Database& db, int first, int second,
                                                  int terms, Language lang) {
  const EquilibriumDataSet set = builtInDataSet(db, first, second);
  const Mixture mixture = dataSetMixture(db, set, lang);
  return consistencyReportLines(checkConsistency(mixture, set, terms),
                                {mixture.ComponentNames[0], mixture.ComponentNames[1]}, lang);
}

std::vector<std::string> pairConsistencyReport(const Database& db, int first, int second, int terms,
                                               Language lang) {
  const EquilibriumDataSet set = pairEquilibriumData(db, first, second);
  const Mixture mixture = dataSetMixture(db, set, lang);
  return consistencyReportLines(checkConsistency(mixture, set, terms),
                                {mixture.ComponentNames[0], mixture.ComponentNames[1]}, lang);
}

}  // namespace bubblix
