#pragma once
// The report lines of a consistency check of equilibrium data (analysis/consistency.h), in
// either language: the heading with the set's kind, the area test, the point test, the end
// points and the warnings. The desktop's report and bubblix-cli print the same lines.
// Temperatures in °C (differences in K), pressures in mm Hg, fractions of component 1.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/consistency.h"
#include "core/data/database.h"
#include "core/texts/text.h"

namespace bubblix {

// names: the names of components 1 and 2 in `lang`.
std::vector<std::string> consistencyReportLines(const ConsistencyCheck& check,
                                                const std::array<std::string, 2>& names,
                                                Language lang,
                                                std::string_view decimalSeparator = ".");

// One warning as a sentence (without the "Warning:" of the report line); point numbers are
// 1-based, as the set's lines are counted.
std::string warningText(const DataWarning& warning, Language lang,
                        std::string_view decimalSeparator = ".");

std::string verdictText(Verdict verdict, Language lang);

// The whole check of the built-in set of the pair (first is component 1) with a series of
// `terms` terms, as report lines in `lang`. Throws what builtInDataSet and checkConsistency
// throw.
std::vector<std::string> builtInConsistencyReport(const Database& db, int first, int second,
                                                  int terms, Language lang);
// The same for the pair's data as the fits take them: its loaded sets when it has any (all of
// them together, each point at its own pressure), else its built-in data (pairEquilibriumData).
std::vector<std::string> pairConsistencyReport(const Database& db, int first, int second, int terms,
                                               Language lang);

}  // namespace bubblix
