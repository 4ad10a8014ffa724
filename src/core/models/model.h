#pragma once
// The activity-coefficient models of a parameter set. Each model's value is its letter in the
// parameter file (the file's first byte, docs/parameter-file.md); the letter is converted to a
// Model once, where the file is read, so that a switch on a Model has no other case to meet.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace bubblix {

enum class Model : char { Wilson = 'W', NRTL = 'N', UNIQUAC = 'Q', UNIFAC = 'F' };

// The models in the order of the model dialog: its Tag 0..3 is the index.
inline constexpr std::array<Model, 4> kModels = {Model::Wilson, Model::NRTL, Model::UNIQUAC,
                                                 Model::UNIFAC};

// "Wilson", "NRTL", "UNIQUAC", "UNIFAC": the method name in reports, messages and the file
// name the save dialog proposes.
std::string_view modelName(Model model);

// The model of a parameter file's letter byte; nothing for a byte that names no model.
std::optional<Model> modelFromLetter(std::uint8_t letter);

// The letter the parameter file stores.
constexpr std::uint8_t modelLetter(Model model) {
  return static_cast<std::uint8_t>(model);
}

}  // namespace bubblix
