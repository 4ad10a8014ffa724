#include "core/models/model.h"

namespace bubblix {

std::string_view modelName(Model model) {
  switch (model) {
    case Model::Wilson:
      return "Wilson";
    case Model::NRTL:
      return "NRTL";
    case Model::UNIQUAC:
      return "UNIQUAC";
    case Model::UNIFAC:
      return "UNIFAC";
  }
  return {};
}

std::optional<Model> modelFromLetter(std::uint8_t letter) {
  for (const Model model : kModels) {
    if (modelLetter(model) == letter) return model;
  }
  return std::nullopt;
}

}  // namespace bubblix
