#include "core/models/parameter_file_save.h"

#include <span>
#include <string_view>
#include <vector>

#include "core/io/file_backup.h"
#include "core/models/parameter_file.h"
#include "core/models/parameter_file_trailer.h"

namespace bubblix {
namespace {

std::string fileBytes(const TParameterSet& set, std::span<const std::uint8_t> trailer = {}) {
  const std::vector<std::uint8_t> bytes = encodeParameterFile(set, trailer);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

void saveParameterFileTo(const std::string& path, const TParameterSet& set, FileSystem& fs) {
  saveFileWithBackup(path, fileBytes(set), fs);
}

void saveParameterFileTo(const std::string& path, const TParameterSet& set, RunFiles& run,
                         FileSystem& fs) {
  run.save(path, FileRole::ParameterFile, fileBytes(set), fs);
}

void saveParameterFileTo(const std::string& path, const TParameterSet& set, const Database& db,
                         RunFiles& run, FileSystem& fs) {
  const std::vector<std::uint8_t> trailer = encodeComponentTrailer(set, db);
  run.save(path, FileRole::ParameterFile, fileBytes(set, trailer), fs);
}

}  // namespace bubblix
