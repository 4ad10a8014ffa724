#include "core/models/parameter_file_save.h"

#include <string_view>
#include <vector>

#include "core/io/file_backup.h"
#include "core/models/parameter_file.h"

namespace bubblix {

void saveParameterFileTo(const std::string& path, const TParameterSet& set, FileSystem& fs) {
  const std::vector<std::uint8_t> bytes = encodeParameterFile(set);
  saveFileWithBackup(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), fs);
}

}  // namespace bubblix
