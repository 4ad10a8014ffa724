#include "core/session/user_data_loading.h"

#include "core/base/errors.h"
#include "core/data/component_library.h"
#include "core/data/data_set_file.h"
#include "core/data/user_data.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/session/session_state.h"
#include "core/texts/library_texts.h"

namespace bubblix {
namespace {

bool namesLibraryComponent(const Database& db, const TParameterSet& set) {
  for (int k = 0; k < set.ComponentCount && k < static_cast<int>(set.Components.size()); ++k) {
    if (set.Components[static_cast<std::size_t>(k)] > kBuiltInComponents && !db.LibraryFile.empty())
      return true;
  }
  return false;
}

}  // namespace

std::string replaceLibraryQuestion(const Database& db, const std::string& replacement,
                                   bool parameterSetGoes, Language lang) {
  std::string text = render(kReplaceLibraryQuestion, lang, {db.LibraryFile, replacement});
  const std::vector<std::size_t> going = setsOfLibrary(db);
  text += "\r\n";
  if (going.empty()) {
    text += std::string(kReplaceLibraryNoSets.in(lang));
  } else {
    text += std::string(kReplaceLibrarySetsGo.in(lang));
    for (const std::size_t k : going)
      text += "\r\n  " + db.LoadedSets[k].FileName;
  }
  if (parameterSetGoes) text += "\r\n" + std::string(kReplaceLibraryParameterSetGoes.in(lang));
  return text;
}

DataLoadResult askAndLoadLibrary(Dialogs& dialogs, Database& db, SessionState& state) {
  const Language lang = state.InterfaceLanguage;
  DataLoadResult result;
  FileRequest request;
  request.Caption = std::string(kLibraryOpenCaption.in(lang));
  request.Filter = std::string(kLibraryFilter.in(lang));
  const std::optional<std::string> path = dialogs.openFileName(request);
  if (!path) return result;
  // Read before the question: a file that cannot be used replaces nothing.
  ComponentLibrary library;
  try {
    library = readComponentLibrary(*path, db);
  } catch (const Error& error) {
    dialogs.showError(error.message(lang), lang);
    return result;
  }
  const bool parameterSetGoes = namesLibraryComponent(db, state.ParameterSet);
  if (!db.LibraryFile.empty() &&
      !dialogs.askYesNo(replaceLibraryQuestion(db, *path, parameterSetGoes, lang), lang)) {
    return result;
  }
  const std::size_t setsBefore = db.LoadedSets.size();
  try {
    db = withLibrary(db, library);
  } catch (const Error& error) {
    dialogs.showError(error.message(lang), lang);
    return result;
  }
  result.LibraryLoaded = true;
  result.SetsRemoved = setsBefore - db.LoadedSets.size();
  // The mixture's records lay in the old database: loaded again from the new one, or dropped.
  if (parameterSetGoes) {
    state.ParameterSet.ComponentCount = 0;
    result.ParameterSetForgotten = true;
  }
  if (state.ParameterSet.ComponentCount >= 2) {
    reloadParameterSetMixture(state, db);
  } else {
    state.Components = Mixture{};
  }
  return result;
}

DataLoadResult askAndLoadDataSets(Dialogs& dialogs, Database& db, Language lang) {
  DataLoadResult result;
  FileRequest request;
  request.Caption = std::string(kDataSetOpenCaption.in(lang));
  request.Filter = std::string(kDataSetFilter.in(lang));
  for (const std::string& path : dialogs.openFileNames(request)) {
    try {
      addDataSet(db, readDataSet(path, db));
      ++result.SetsLoaded;
    } catch (const Error& error) {
      dialogs.showError(error.message(lang), lang);
    }
  }
  return result;
}

}  // namespace bubblix
