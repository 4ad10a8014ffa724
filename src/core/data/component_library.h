#pragma once
// The user's own components: a component library (JSON, UTF-8, docs/components.md) read into
// records like the built-in ones, and the database grown by them. The built-in database is
// never changed: withLibrary gives a new value that the commands and sessions are handed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/real.h"
#include "core/data/component_base.h"
#include "core/data/database.h"

namespace bubblix {

// The largest library file read.
inline constexpr std::size_t kMaxLibraryBytes = std::size_t{1} << 22;

struct ComponentLibrary {
  std::string FileName;
  std::vector<TComponentRecord> Components;  // in file order: database numbers 5, 6, ...
  std::vector<Real> ValidFrom;  // degC, the range of the vapour-pressure data (valid_t_c),
  std::vector<Real> ValidTo;    // or of the density table when the file gives none
};

// Reads the library text; `fileName` names the file in the messages. Every rule of
// docs/components.md is checked and a breach throws FileError naming the file, the component
// (index from 1 and name) and the field, or the line and column of a JSON syntax error. Names
// must differ from every name of `db` (the built-in records; a library already in `db` is
// replaced, so its names do not count).
ComponentLibrary parseComponentLibrary(std::string_view content, const std::string& fileName,
                                       const Database& db);
// Reads the file (input_file.h rules) and parses it.
ComponentLibrary readComponentLibrary(const std::string& path, const Database& db);

// The temperature at which the component's vapour-pressure constants give 760 mm Hg, degC:
//   T = B / (A - ln 760) - C  (K).
// NaN when the constants give none (A <= ln 760 or T <= 0 K).
Real boilingTemperature(const TComponentRecord& record);

// A copy of `db` whose records 5.. are the library's (any earlier library and the loaded sets
// that name its components removed). Throws FileError when the records would exceed
// kMaxComponents.
Database withLibrary(const Database& db, const ComponentLibrary& library);

}  // namespace bubblix
