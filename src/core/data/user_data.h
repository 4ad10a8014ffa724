#pragma once
// The user's own data as a whole: the built-in database grown by a component library and data
// sets read from files, what goes with a library when it is replaced, the removal of a set,
// and the figures of a loaded set that the front ends list.

#include <cstddef>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"

namespace bubblix {

// The built-in database grown by the library at `libraryPath` (none when empty), with the
// data sets at `dataPaths` loaded in order. Throws FileError naming the file, the line and the
// field of the first fault.
Database loadUserData(const std::string& libraryPath, const std::vector<std::string>& dataPaths);

// Whether `number` is a database number of the loaded library (5..).
bool isLibraryComponent(const Database& db, int number);

// The positions in db.LoadedSets of the sets that name a component of the library: they go
// when the library is replaced (withLibrary).
std::vector<std::size_t> setsOfLibrary(const Database& db);

// Removes the loaded set at `index`; throws InputError when there is none.
void removeDataSet(Database& db, std::size_t index);

// The ranges of a loaded set: degC and mm Hg.
struct DataSetRange {
  Real tMin = 0;
  Real tMax = 0;
  Real pMin = 0;
  Real pMax = 0;
};
DataSetRange dataSetRange(const LoadedDataSet& set);

}  // namespace bubblix
