#include "core/data/database.h"

namespace bubblix {

Database BuildDatabase() {
  Database db;
  db.ComponentBase = BuildComponentBase();
  db.Steam = BuildSteamTables();
  db.ExperimentalData = BuildExperimentalData();
  db.ReferenceMainGroupTable = BuildReferenceMainGroupTable();
  return db;
}

const Database& BuiltInDatabase() {
  static const Database db = BuildDatabase();
  return db;
}

}  // namespace bubblix
