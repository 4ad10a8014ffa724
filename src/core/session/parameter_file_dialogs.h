#pragma once
// Choosing, reading and writing parameter files in a session: the open-file dialog and the
// loading of a set with its components (variant 2 of a calculation session), and the question
// and save-file dialog at the end of a fitting session.

#include <cstdint>
#include <optional>
#include <string>

#include "core/data/database.h"
#include "core/io/file_system.h"
#include "core/session/dialogs.h"
#include "core/session/session_state.h"

namespace bubblix {

struct LoadedParameterFile {
  std::string FileName;    // as chosen
  std::string MethodName;  // "Wilson", "NRTL", "UNIQUAC" or "UNIFAC", from the file
  std::uint16_t BlockCount = 0;
};

// Reads the parameter file `path` and makes it the state's parameter set (and notes it among
// the run's files, state.Files): the set read over a
// copy of the current one (the fields the file holds for its model replace the old ones), and
// the mixture of its components - names in the interface language, property constants, r
// and q - and sets SelectedCount to its component count. Throws FileError (or DataError) when the
// file cannot be read or makes no sense; the state then stays exactly as it was.
LoadedParameterFile loadParameterFile(const std::string& path, SessionState& state,
                                      const Database& db);

// Loads the mixture of the state's current parameter set again (names in the interface
// language, constants, r and q) and sets SelectedCount, as loading does after reading a file.
void reloadParameterSetMixture(SessionState& state, const Database& db);

// The open-file dialog ("Opening file", "Datafiles|*.dat") and loadParameterFile on the
// chosen name. Nothing when the user cancels (the state is unchanged). Errors as above.
std::optional<LoadedParameterFile> chooseAndLoadParameterFile(Dialogs& dialogs, SessionState& state,
                                                              const Database& db);

// The end of a fitting session: asks once whether to create the parameter file; on Yes the
// save-file dialog ("Saving file", "Datafiles|*.dat", extension "dat", the method name as the
// proposed name, no initial folder) and saveParameterFileTo, checked against the run's files.
// Returns the path written, nothing when the user declined or cancelled. Errors of the
// writing are thrown.
// Components 5.. of the set are described in the file's trailer from their records in `db`.
std::optional<std::string> offerToSaveParameterFile(Dialogs& dialogs, const TParameterSet& set,
                                                    Language lang, RunFiles& run,
                                                    FileSystem& fs = systemFileSystem(),
                                                    const Database& db = builtInDatabase());

}  // namespace bubblix
