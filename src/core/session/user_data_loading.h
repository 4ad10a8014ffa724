#pragma once
// The loading of the user's own data between sessions (the desktop program's Data menu),
// asked through the dialog interface: a component library, which replaces the one loaded after
// a question naming the data sets that go with it, and data sets, several at once. A file
// refused is said in an error box naming it; the database keeps what it held before.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/data/database.h"
#include "core/session/dialogs.h"

namespace bubblix {

struct SessionState;

// What a loading changed.
struct DataLoadResult {
  bool LibraryLoaded = false;
  std::size_t SetsLoaded = 0;
  std::size_t SetsRemoved = 0;  // with a library replaced
  // The last session's parameter set named a component of the replaced library and was
  // forgotten (ComponentCount 0).
  bool ParameterSetForgotten = false;
};

// Asks the library file and reads it. When a library is loaded already, asks first whether to
// replace it, naming the loaded sets that go with it (and the parameter set of `state` when it
// names a library component); No leaves everything as it was. After a replacement the mixture
// of the state's parameter set is loaded again from the new database, so that nothing points
// into the old one.
DataLoadResult askAndLoadLibrary(Dialogs& dialogs, Database& db, SessionState& state);

// Asks one or more data-set files and loads them in the order given; each file refused is said
// in an error box and the rest are still loaded.
DataLoadResult askAndLoadDataSets(Dialogs& dialogs, Database& db, Language lang);

// The question asked before `replacement` replaces the loaded library.
std::string replaceLibraryQuestion(const Database& db, const std::string& replacement,
                                   bool parameterSetGoes, Language lang);

}  // namespace bubblix
