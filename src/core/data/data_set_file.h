#pragma once
// The user's equilibrium data: a data set (CSV, UTF-8, docs/data-sets.md) of one pair's
// measured points, each with its own temperature and pressure.
//
//   # comment lines start with '#'
//   components,NAME,NAME        library components by name; built-in ones by name or 1..4
//   t_c,p_mmhg,x1,y1            the header
//   78.3,760,0,0                one point per line: degC, mm Hg, mole fractions of the first

#include <cstddef>
#include <string>
#include <string_view>

#include "core/data/database.h"
#include "core/data/experimental_data.h"

namespace bubblix {

inline constexpr std::size_t kMaxDataSetBytes = std::size_t{1} << 20;
inline constexpr int kMinDataSetPoints = 3;
inline constexpr int kMaxDataSetPoints = 500;

// Reads the text of a data set; the components are looked up in `db` (the built-in records
// and the loaded library). Throws FileError naming the file, the line and the column of the
// first fault.
LoadedDataSet parseDataSet(std::string_view content, const std::string& fileName,
                           const Database& db);
// Reads the file (input_file.h rules) and parses it.
LoadedDataSet readDataSet(const std::string& path, const Database& db);

// Adds the set to the database's loaded sets. Throws FileError, leaving `db` as it was, when
// its pair would then have more than kMaxPairPoints points.
void addDataSet(Database& db, LoadedDataSet set);

}  // namespace bubblix
