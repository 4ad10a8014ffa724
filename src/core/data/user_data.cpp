#include "core/data/user_data.h"

#include <algorithm>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/component_library.h"
#include "core/data/data_set_file.h"
#include "core/texts/library_texts.h"

namespace bubblix {

Database loadUserData(const std::string& libraryPath, const std::vector<std::string>& dataPaths) {
  Database db = builtInDatabase();
  if (!libraryPath.empty()) db = withLibrary(db, readComponentLibrary(libraryPath, db));
  for (const std::string& path : dataPaths)
    addDataSet(db, readDataSet(path, db));
  return db;
}

bool isLibraryComponent(const Database& db, int number) {
  return number > kBuiltInComponents && number <= static_cast<int>(db.ComponentBase.size());
}

std::vector<std::size_t> setsOfLibrary(const Database& db) {
  std::vector<std::size_t> out;
  for (std::size_t k = 0; k < db.LoadedSets.size(); ++k) {
    const LoadedDataSet& set = db.LoadedSets[k];
    if (set.Components[0] > kBuiltInComponents || set.Components[1] > kBuiltInComponents)
      out.push_back(k);
  }
  return out;
}

void removeDataSet(Database& db, std::size_t index) {
  if (index >= db.LoadedSets.size()) {
    throw InputError(kNoSuchDataSet,
                     {std::to_string(index + 1), std::to_string(db.LoadedSets.size())});
  }
  db.LoadedSets.erase(db.LoadedSets.begin() + static_cast<std::ptrdiff_t>(index));
}

DataSetRange dataSetRange(const LoadedDataSet& set) {
  DataSetRange r;
  if (set.t.empty() || set.P.empty()) return r;
  const auto [tLow, tHigh] = std::minmax_element(set.t.begin(), set.t.end());
  const auto [pLow, pHigh] = std::minmax_element(set.P.begin(), set.P.end());
  r.tMin = *tLow;
  r.tMax = *tHigh;
  r.pMin = paToMmHg(*pLow);
  r.pMax = paToMmHg(*pHigh);
  return r;
}

}  // namespace bubblix
