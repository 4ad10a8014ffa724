#pragma once
// Writing a parameter set to a parameter file (layout in docs/parameter-file.md), with the
// back-up copy of the file it replaces. Choosing the file name is the session's.

#include <string>

#include "core/io/file_system.h"
#include "core/models/parameter_set.h"

namespace bubblix {

// Encodes the set (encodeParameterFile: DataError for a set a reader would refuse, before
// anything is touched), backs an existing file up (Report.dat -> Report.bak) and writes the
// bytes. File errors throw FileError naming the file: a failed back-up writes nothing and
// leaves the file as it was; a failed write leaves the earlier content in the back-up copy.
void saveParameterFileTo(const std::string& path, const TParameterSet& set,
                         FileSystem& fs = systemFileSystem());

}  // namespace bubblix
