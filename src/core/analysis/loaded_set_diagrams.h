#pragma once
// The conditions at which the loaded data sets of a pair are drawn: an isobaric set at its
// pressure (t-x-y), an isothermal set at its temperature (P-x-y), each with its own measured
// points; a mixed set (neither) on no diagram.

#include <cstddef>
#include <string>
#include <vector>

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

}  // namespace bubblix
