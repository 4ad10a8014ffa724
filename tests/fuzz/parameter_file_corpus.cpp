// Writes the seed corpus of the parameter-file harness into the folder given: valid files of
// every model and size (UNIFAC ones with the groups of the built-in components), files cut at
// and inside blocks, and files with a wrong letter, a wrong count, a wrong number or a value
// that is not finite. Run it again after a change of the file layout:
//   build/tests/fuzz/parameter_file_corpus tests/fuzz/corpus/parameter_file

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/data/database.h"
#include "core/data/properties.h"
#include "core/fitting/unifac_group_tables.h"
#include "core/io/extended80.h"
#include "core/models/parameter_file.h"

namespace {

using namespace bubblix;
using Bytes = std::vector<std::uint8_t>;

std::filesystem::path folder;

void put(const std::string& name, const Bytes& bytes) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
    std::exit(1);
  }
}

// Wilson, NRTL or UNIQUAC parameters of plausible size for components {2, 4, 1, 3}.
TParameterSet componentModelSet(Model model, std::uint8_t n, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> energy(-1.5, 2.5);
  TParameterSet set;
  set.ModelCode = model;
  set.ComponentCount = n;
  set.Components = {2, 4, 1, 3};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      const Real a = i == j ? 0.0L : static_cast<Real>(energy(random)) / 3.0L;
      set.WilsonEnergy[i][j] = a;
      set.NRTLEnergy[i][j] = a;
      set.NRTLAlpha[i][j] = i == j ? 0.0L : 0.3L;
      set.UNIQUACEnergy[i][j] = a;
    }
  }
  return set;
}

// The UNIFAC set of built-in components, from the reference group table.
TParameterSet unifacSet(const std::vector<int>& components, UnifacVariant variant) {
  const Database& db = builtInDatabase();
  Mixture mixture;
  TParameterSet set;
  set.ModelCode = Model::UNIFAC;
  set.ComponentCount = static_cast<std::uint8_t>(components.size());
  for (std::size_t i = 0; i < components.size(); ++i) {
    loadComponent(mixture, db, static_cast<int>(i), "comp." + std::to_string(components[i]));
    set.Components[i] = static_cast<std::uint16_t>(components[i]);
  }
  const UnifacTables tables = startUnifacTables(db.ReferenceMainGroupTable, variant);
  storeUnifacGroups(tables, mixture, static_cast<int>(components.size()), set);
  return set;
}

Bytes cut(const Bytes& bytes, std::size_t size) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

void putReal(Bytes& bytes, std::size_t offset, Real value) {
  const Extended80Image image = encodeExtended80(value);
  std::copy(image.begin(), image.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  folder = argv[1];
  std::filesystem::create_directories(folder);

  for (const Model model : {Model::Wilson, Model::NRTL, Model::UNIQUAC}) {
    for (std::uint8_t n = 2; n <= 4; ++n) {
      const Bytes file =
          encodeParameterFile(componentModelSet(model, n, 100u * n + modelLetter(model)));
      put(std::string(1, static_cast<char>(modelLetter(model))) + std::to_string(n) + ".dat", file);
    }
  }
  const std::vector<std::vector<int>> mixtures = {{1, 2}, {3, 4}, {2, 4, 1}, {1, 2, 3, 4}};
  for (const std::vector<int>& mixture : mixtures) {
    for (const UnifacVariant variant : {UnifacVariant::MainGroups, UnifacVariant::Subgroups}) {
      std::string name = "F";
      for (const int c : mixture)
        name += std::to_string(c);
      name += variant == UnifacVariant::MainGroups ? "-v1.dat" : "-v2.dat";
      put(name, encodeParameterFile(unifacSet(mixture, variant)));
    }
  }

  // Cut: before a pair, inside a pair, inside a block; a UNIFAC file inside a record.
  const Bytes wilson = encodeParameterFile(componentModelSet(Model::Wilson, 2, 7));
  put("cut-W2-8-blocks.dat", cut(wilson, 8 * 16));
  put("cut-W2-9-blocks.dat", cut(wilson, 9 * 16));
  put("cut-W2-inside-block.dat", cut(wilson, 9 * 16 + 7));
  const Bytes nrtl = encodeParameterFile(componentModelSet(Model::NRTL, 3, 8));
  put("cut-N3-inside-pair.dat", cut(nrtl, nrtl.size() - 2 * 16));
  const Bytes unifac = encodeParameterFile(unifacSet({1, 2}, UnifacVariant::Subgroups));
  put("cut-F12-inside-record.dat", cut(unifac, unifac.size() / 2 + 5));
  put("empty.dat", {});

  // Corrupted: each one field.
  Bytes bytes = wilson;
  bytes[0] = 'X';
  put("bad-letter.dat", bytes);
  bytes = wilson;
  bytes[16] = 5;
  put("bad-n.dat", bytes);
  bytes = wilson;
  bytes[32 + 2] = 0;
  put("bad-component-number.dat", bytes);
  bytes = unifac;
  bytes[4 * 16] = 11;
  put("bad-g.dat", bytes);
  bytes = wilson;
  putReal(bytes, 6 * 16, std::numeric_limits<Real>::quiet_NaN());
  put("nan-off-diagonal.dat", bytes);
  bytes = wilson;
  putReal(bytes, 5 * 16, std::numeric_limits<Real>::infinity());
  put("inf-diagonal.dat", bytes);
  bytes = wilson;
  bytes.insert(bytes.end(), 100, 0xAB);
  put("extra-bytes.dat", bytes);
  put("zeros.dat", Bytes(4096, 0));
  return 0;
}
