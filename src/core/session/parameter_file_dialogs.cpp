#include "core/session/parameter_file_dialogs.h"

#include <filesystem>

#include "core/data/mixture_loading.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_file_save.h"
#include "core/models/parameter_file_trailer.h"
#include "core/session/dialog_rules.h"
#include "core/texts/parameter_file_texts.h"

namespace bubblix {

LoadedParameterFile loadParameterFile(const std::string& path, SessionState& state,
                                      const Database& db) {
  ParameterFileContents contents =
      readParameterFile(std::filesystem::path(path), state.ParameterSet);
  // Components 5.. must be those of the loaded library, by name and data.
  applyComponentTrailer(contents, db, path);
  Mixture mixture = loadMixture(db, componentNumbers(contents.set), state.InterfaceLanguage);
  // Nothing has been changed so far; now the whole set and its mixture are taken at once.
  state.ParameterSet = contents.set;
  state.Components = std::move(mixture);
  state.SelectedCount = state.ParameterSet.ComponentCount;
  state.Files.noteRead(path, FileRole::ParameterFile);
  return {path, std::move(contents.modelName), contents.blockCount};
}

void reloadParameterSetMixture(SessionState& state, const Database& db) {
  state.Components = loadMixture(db, componentNumbers(state.ParameterSet), state.InterfaceLanguage);
  state.SelectedCount = state.ParameterSet.ComponentCount;
}

std::optional<LoadedParameterFile> chooseAndLoadParameterFile(Dialogs& dialogs, SessionState& state,
                                                              const Database& db) {
  const Language lang = state.InterfaceLanguage;
  FileRequest request;
  request.Caption = std::string(texts::kParameterFileOpenCaption.in(lang));
  request.Filter = std::string(texts::kParameterFileFilter.in(lang));
  const std::optional<std::string> path = dialogs.openFileName(request);
  if (!path) return std::nullopt;
  return loadParameterFile(*path, state, db);
}

std::optional<std::string> offerToSaveParameterFile(Dialogs& dialogs, const TParameterSet& set,
                                                    Language lang, RunFiles& run, FileSystem& fs,
                                                    const Database& db) {
  if (!dialogs.askYesNo(std::string(texts::kParameterFileCreateQuestion.in(lang)), lang)) {
    return std::nullopt;
  }
  FileRequest request;
  request.Caption = std::string(texts::kParameterFileSaveCaption.in(lang));
  request.Filter = std::string(texts::kParameterFileFilter.in(lang));
  request.DefaultExt = "dat";
  request.FileName = std::string(modelName(set.ModelCode));
  std::optional<std::string> path = dialogs.saveFileName(request);
  if (!path) return std::nullopt;
  saveParameterFileTo(*path, set, db, run, fs);
  return path;
}

}  // namespace bubblix
