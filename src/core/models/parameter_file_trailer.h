#pragma once
// The trailer of a parameter file that names components of a component library (database
// numbers 5..16): after the last block the counts call for, blocks that describe each such
// component - its name, molar mass, vapour-pressure constants and density table - so that a
// later run can check that its library holds the same components. Readers that know only the
// blocks of the counts ignore it. The layout is in docs/parameter-file.md.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/base/real.h"
#include "core/data/database.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_set.h"

namespace bubblix {

// One component of a trailer.
struct TrailerComponent {
  std::uint16_t Number = 0;  // the database number in the set when the file was written
  std::string Name;          // English name, UTF-8
  Real MolarMass = 0;
  Real AntoineA = 0;
  Real AntoineB = 0;
  Real AntoineC = 0;
  std::vector<Real> DensityT;  // degC
  std::vector<Real> Density;   // kg/m3
};

// The trailer of the set's components numbered above 4, their records taken from `db`; empty
// when there are none. Throws DataError for a number `db` does not hold.
std::vector<std::uint8_t> encodeComponentTrailer(const TParameterSet& set, const Database& db);

// The components of a trailer. Throws FileError naming the file when it is damaged.
std::vector<TrailerComponent> decodeComponentTrailer(std::span<const std::uint8_t> trailer,
                                                     const std::string& fileName);

// Checks the set's components above 4 against `db` by the trailer: each must be in the trailer,
// a record of `db` must have its name, and the molar mass, the constants and the density table
// must be the same to the last bit. The set's numbers then become those of `db` (a library may
// list the components in another order). Throws FileError naming the file, the component and
// what differs; the contents are then as they were.
void applyComponentTrailer(ParameterFileContents& contents, const Database& db,
                           const std::string& fileName);

}  // namespace bubblix
