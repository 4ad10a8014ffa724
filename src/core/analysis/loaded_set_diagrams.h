#pragma once
// The conditions at which the loaded data sets of a pair are drawn: an isobaric set at its
// pressure (t-x-y), an isothermal set at its temperature (P-x-y), each with its own measured
// points; a mixed set (neither) on no diagram.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/binary_analysis.h"
#include "core/analysis/consistency_data.h"
#include "core/analysis/phase_diagram.h"
#include "core/data/database.h"
#include "core/models/parameter_set.h"

namespace bubblix {

struct LoadedSetCondition {
  std::size_t Index = 0;  // the set's position in db.LoadedSets
  std::string FileName;
  DataSetKind Kind = DataSetKind::Mixed;
  // Isobaric: the mean pressure of the points, Pa; isothermal: their mean tau. Unused for a
  // mixed set.
  Condition At;
  // The set's points with x1 and y1 of the parameter set's first component (complemented
  // when the file gives the other one first), each with its own t and P.
  std::vector<MeasuredPoint> Points;
};

// The loaded sets naming the binary set's two components, in the order they were loaded;
// none for a set that is not binary.
std::vector<LoadedSetCondition> loadedSetConditions(const Database& db, const TParameterSet& set);

// "P = 760.00 mm Hg" or "t = 50.00 °C": the condition as the report lines name it.
std::string conditionText(Condition at, Language lang, std::string_view decimalSeparator = ".");

// The report lines of the mixed sets among `sets`, one per set, naming it with its t and P
// ranges.
std::vector<std::string> mixedSetReportLines(const std::vector<LoadedSetCondition>& sets,
                                             Language lang,
                                             std::string_view decimalSeparator = ".");

// The analysis of one loaded set at its own condition (isobaric or isothermal sets only).
struct LoadedSetAnalysis {
  LoadedSetCondition Set;
  std::optional<BinaryAnalysis> Analysis;  // none when it failed
  std::optional<std::string> Error;        // the message of the failure, in the language asked
};

// analyseBinary at the condition of every isobaric and isothermal set of `sets`, in their order;
// a set whose analysis throws an Error keeps its message instead.
std::vector<LoadedSetAnalysis> analyseLoadedSets(const Database& db, const BinaryEquilibrium& eq,
                                                 const std::vector<LoadedSetCondition>& sets,
                                                 Language lang);

// The report lines of the analyses: per set a line naming its file and condition, then its
// analysisReportLines (or its error message); the sets whose condition is `skip` (the one the
// report has shown already) are left out. Then mixedSetReportLines of `sets`.
std::vector<std::string> loadedSetReportLines(const std::vector<LoadedSetAnalysis>& analyses,
                                              const std::vector<LoadedSetCondition>& sets,
                                              std::optional<Condition> skip, Language lang,
                                              std::string_view decimalSeparator = ".");

// Whether two conditions are the same: both isobaric or both isothermal, within 1e-6 Pa or
// 1e-6 in tau.
bool sameCondition(Condition a, Condition b);

}  // namespace bubblix
