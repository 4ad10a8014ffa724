#include "core/data/database.h"

namespace bubblix {

Database buildDatabase() {
  Database db;
  db.ComponentBase = buildComponentBase();
  db.Steam = buildSteamTables();
  db.ExperimentalData = buildExperimentalData();
  db.ReferenceMainGroupTable = buildReferenceMainGroupTable();
  return db;
}

const Database& builtInDatabase() {
  static const Database db = buildDatabase();
  return db;
}

}  // namespace bubblix
