#pragma once
// All built-in data, built once and read-only afterwards. Sessions receive the database by
// reference, so tests can hand them a modified copy.

#include <string>
#include <vector>

#include "core/data/component_base.h"
#include "core/data/experimental_data.h"
#include "core/data/unifac_tables.h"

namespace bubblix {

struct Database {
  ComponentTable ComponentBase;  // the four built-in records, then those of the library
  SteamTables Steam;
  ExperimentalTable ExperimentalData;
  MainGroupTableType ReferenceMainGroupTable;
  // The component library whose components are records 5.. (empty: none), and the data sets
  // loaded from files, in the order they were loaded (component_library.h, data_set_file.h).
  std::string LibraryFile;
  std::vector<LoadedDataSet> LoadedSets;
};

// Builds the component database, the experimental data and the reference group table, in
// that order.
Database buildDatabase();

// The program's database, built on first use and never changed.
const Database& builtInDatabase();

}  // namespace bubblix
