#pragma once
// All built-in data, built once and read-only afterwards. Sessions receive the database by
// reference, so tests can hand them a modified copy.

#include "core/data/component_base.h"
#include "core/data/experimental_data.h"
#include "core/data/unifac_tables.h"

namespace bubblix {

struct Database {
  ComponentTable ComponentBase;
  SteamTables Steam;
  ExperimentalTable ExperimentalData;
  MainGroupTableType ReferenceMainGroupTable;
};

// Builds the component database, the experimental data and the reference group table, in
// that order.
Database buildDatabase();

// The program's database, built on first use and never changed.
const Database& builtInDatabase();

}  // namespace bubblix
