#pragma once
// Writing a parameter set to a parameter file (layout in docs/parameter-file.md) by the save
// routine (file_backup.h): the file it replaces becomes the back-up copy once the new one is
// complete. Choosing the file name is the session's.

#include <string>

#include "core/data/database.h"
#include "core/io/file_system.h"
#include "core/io/run_files.h"
#include "core/models/parameter_set.h"

namespace bubblix {

// Encodes the set (encodeParameterFile: DataError for a set a reader would refuse, before
// anything is touched) and saves the bytes (Report.dat -> back-up Report.bak). File errors
// throw FileError naming the file and the reason; the file and its back-up are then as they
// were. With the run's files, the save is checked against them first and recorded.
void saveParameterFileTo(const std::string& path, const TParameterSet& set,
                         FileSystem& fs = systemFileSystem());
void saveParameterFileTo(const std::string& path, const TParameterSet& set, RunFiles& run,
                         FileSystem& fs = systemFileSystem());
// The same with the trailer that describes the set's components 5.. (their records in `db`).
void saveParameterFileTo(const std::string& path, const TParameterSet& set, const Database& db,
                         RunFiles& run, FileSystem& fs = systemFileSystem());

}  // namespace bubblix
