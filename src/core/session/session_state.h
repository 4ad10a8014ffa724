#pragma once
// The process-wide state of a Bubblix run, held in one explicit object that the front end
// creates and passes by reference. It lives for the whole run and is not cleared between
// calculation sessions.

#include <array>
#include <cstdint>
#include <optional>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/io/run_files.h"
#include "core/models/parameter_set.h"
#include "core/texts/text.h"

namespace bubblix {

struct SessionState {
  Language InterfaceLanguage = Language::NotChosen;
  TParameterSet ParameterSet;
  std::uint8_t SelectedCount = 0;                     // components of the session's mixture
  std::array<std::uint16_t, 4> SelectedComponents{};  // database numbers, ascending
  std::optional<Model> FittedModel;                   // the model of the last fit, none before
  std::uint8_t DataMissing = 0;
  Real Tau = 0;       // reduced temperature of the current point
  Real Pressure = 0;  // Pa
  CompositionVector LiquidX{};
  CompositionVector VapourY{};
  CompositionVector Gamma{};
  Mixture Components;  // ComponentNames, MixAntoineA..C, MolarMasses, r, q of the mixture
  // Objective calls of the fits since the progress line was last refreshed; kept from one
  // fit, and one session, to the next.
  std::uint16_t FitCallCounter = 0;
  // The files this run has read and saved, so that no save destroys another of them.
  RunFiles Files;
};

}  // namespace bubblix
