#pragma once
// The working tables of UNIFAC group interactions that a fitting session edits, and the
// matrices built from them. Values are reduced, a = a_K / 273.15 K.
//
// Two variants:
//   1  main groups only: one value per ordered pair of main groups (MainGroupTable);
//      two groups of one main group do not interact (0);
//   2  with interactions between subgroups: one value per ordered pair of main groups and
//      ordered pair of subgroup classes (SubgroupTable); only a group with itself gives 0.
// A subgroup's class is its letter: 'A' 0, 'B' 1, 'C' 2, any other letter 3.

#include <array>
#include <cstdint>
#include <span>

#include "core/base/real.h"
#include "core/data/component_groups.h"
#include "core/data/properties.h"
#include "core/data/unifac_tables.h"
#include "core/models/parameter_set.h"
#include "core/numerics/param_vector.h"

namespace bubblix {

enum class UnifacVariant : std::uint8_t { MainGroups = 1, Subgroups = 2 };

inline constexpr int kSubgroupClasses = 4;

// [M_g - 1][M_h - 1][class_g][class_h]: the 4 x 4 block of class pairs of each ordered pair
// of main groups, class_g major.
using SubgroupTableType =
    std::array<std::array<std::array<std::array<Real, kSubgroupClasses>, kSubgroupClasses>, 18>,
               18>;

struct UnifacTables {
  UnifacVariant Variant = UnifacVariant::MainGroups;
  MainGroupTableType MainGroupTable{};
  SubgroupTableType SubgroupTable{};
};

// The class of a subgroup letter.
int subgroupClass(std::uint8_t letter);

// Every class block of [M][N] gets MainGroupTable[M][N]; the blocks of a main group with
// itself are 0.
SubgroupTableType subgroupTableFromMainGroups(const MainGroupTableType& mainGroups);

// The tables at the start of a fitting session: the main-group table as given (the
// reference table) and the subgroup table derived from it.
UnifacTables startUnifacTables(const MainGroupTableType& mainGroups, UnifacVariant variant);

// Writes value into the table entry of the ordered pair (g, h) of the listed groups (0-based
// positions in mainGroups / letters): MainGroupTable[M_g][M_h] in variant 1,
// SubgroupTable[M_g][M_h][class_g][class_h] in variant 2. Does nothing when g == h.
// Main-group numbers must be 1..18 (DataError otherwise).
void SetGroupParameter(UnifacTables& tables, std::span<const std::uint8_t> mainGroups,
                       std::span<const std::uint8_t> letters, int g, int h, Real value);

// The count x count interaction matrix of the listed groups (count <= 10; the rest of the
// 10 x 10 matrix is 0): entry [g][h] is the table value of the pair; the diagonal is 0, and
// in variant 1 so is every pair of one main group.
Matrix10 BuildGroupMatrix(const UnifacTables& tables, int count,
                          std::span<const std::uint8_t> mainGroups,
                          std::span<const std::uint8_t> letters);

// Distributes a parameter vector over the m listed groups in row-major order of the ordered
// pairs without the diagonal: p[0] -> (0, 1), p[1] -> (0, 2), ..., p[m-2] -> (0, m-1),
// p[m-1] -> (1, 0), p[m] -> (1, 2), ...; m (m - 1) parameters in all.
void distributeGroupParameters(UnifacTables& tables, int m,
                               std::span<const std::uint8_t> mainGroups,
                               std::span<const std::uint8_t> letters, const TParamVector& p);

// The value the tables hold for the ordered pair (g, h) of the listed groups, the one
// BuildGroupMatrix would place at [g][h].
Real groupParameter(const UnifacTables& tables, std::span<const std::uint8_t> mainGroups,
                    std::span<const std::uint8_t> letters, int g, int h);

// Rebuilds a component record's own matrix A from the tables.
void buildComponentMatrix(const UnifacTables& tables, TComponentGroups& record);

// The UNIFAC part of a parameter set for the mixture's first n components: the mixture group
// list (BuildMixtureGroups: GroupCount, GroupIdsA, GroupIdsB, GroupQ, GroupR), the group
// interaction matrix of the list and every component record with its own matrix, all from
// the tables.
void storeUnifacGroups(const UnifacTables& tables, const Mixture& mixture, int n,
                       TParameterSet& set);

}  // namespace bubblix
