#pragma once
// The parameter set that generated the examples' benzene-cyclohexane data
// (examples/benzene-cyclohexane*.csv, docs/data-sets.md "The examples: generated, not
// measured"): NRTL with a12 = 0.45, a21 = 0.20 (reduced energies) and alpha = 0.3 for benzene
// (library component 5) - cyclohexane (6) of examples/benzene-cyclohexane.json. Shared by the
// analysis, diagram-program and desktop tests and the screenshots.

#include "core/models/model.h"
#include "core/models/parameter_set.h"

namespace bubblix::test {

inline TParameterSet benzeneCyclohexaneGeneratingSet() {
  TParameterSet set;
  set.ModelCode = Model::NRTL;
  set.ComponentCount = 2;
  set.Components[0] = 5;
  set.Components[1] = 6;
  set.NRTLEnergy[0][1] = 0.45L;
  set.NRTLEnergy[1][0] = 0.20L;
  set.NRTLAlpha[0][1] = set.NRTLAlpha[1][0] = 0.3L;
  return set;
}

}  // namespace bubblix::test
