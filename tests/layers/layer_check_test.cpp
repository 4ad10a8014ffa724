// The layers of the source tree, checked on every #include line of src/, tests/ and bench/.
//
// Bottom first, a file may include headers of its own layer and of the layers below it:
//   texts, base, io, numerics, data, models, fitting, analysis, report, session (src/core/),
//   plot (src/plot/), and the front ends gui, cli and diagram (src/gui/, src/cli/,
//   src/diagram/), which never include one another.
// Tests and benchmarks belong to the layer of what they test: tests/core/<layer>/ to <layer>,
// tests/plot/, tests/gui/, tests/cli/, tests/diagram/ to theirs; tests/core/reliability/,
// tests/fuzz/ and bench/ use the whole core, as the session layer does. Every file of the core
// lies in a layer's folder, and only plot and the Qt front ends include Qt.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace bubblix {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 10> kCoreLayers = {"texts",  "base",   "io",      "numerics",
                                                          "data",   "models", "fitting", "analysis",
                                                          "report", "session"};
constexpr std::array<std::string_view, 3> kFrontEnds = {"gui", "cli", "diagram"};
constexpr int kPlotRank = static_cast<int>(kCoreLayers.size());
constexpr int kFrontEndRank = kPlotRank + 1;

struct Layer {
  std::string name;
  int rank = 0;
  bool frontEnd() const { return rank == kFrontEndRank; }
  bool mayIncludeQt() const { return rank >= kPlotRank && name != "cli"; }
};

std::optional<Layer> coreLayer(std::string_view name) {
  for (std::size_t k = 0; k < kCoreLayers.size(); ++k) {
    if (kCoreLayers[k] == name) return Layer{std::string(name), static_cast<int>(k)};
  }
  return std::nullopt;
}

std::optional<Layer> upperLayer(std::string_view name) {
  if (name == "plot") return Layer{"plot", kPlotRank};
  if (std::find(kFrontEnds.begin(), kFrontEnds.end(), name) != kFrontEnds.end()) {
    return Layer{std::string(name), kFrontEndRank};
  }
  return std::nullopt;
}

std::vector<std::string> parts(const fs::path& relative) {
  std::vector<std::string> out;
  for (const fs::path& part : relative)
    out.push_back(part.string());
  return out;
}

// The layer of a file or header path below src/ or tests/: core/<layer>/..., plot/...,
// gui/..., cli/..., diagram/...; nothing for any other path.
std::optional<Layer> layerOfTreePath(const std::vector<std::string>& p) {
  if (p.size() >= 3 && p[0] == "core") return coreLayer(p[1]);
  if (p.size() >= 2) return upperLayer(p[0]);
  return std::nullopt;
}

// The layer of a file of the tree (path relative to the root), or nothing with the reason.
std::optional<Layer> layerOfFile(const fs::path& relative, std::string& problem) {
  const std::vector<std::string> p = parts(relative);
  const std::vector<std::string> inside(p.begin() + 1, p.end());
  const Layer wholeCore{"session", kPlotRank - 1};
  if (p[0] == "bench") return wholeCore;
  if (p[0] == "tests") {
    if (inside.size() >= 2 && (inside[0] == "fuzz" || inside[0] == "layers")) return wholeCore;
    if (inside.size() >= 3 && inside[0] == "core" && inside[1] == "reliability") return wholeCore;
  }
  if (std::optional<Layer> layer = layerOfTreePath(inside)) return layer;
  problem = "lies in no layer: the core's files belong in src/core/<layer>/ (" +
            std::string(kCoreLayers.front()) + " ... " + std::string(kCoreLayers.back()) +
            "), the rest in src/plot/ or a front end's folder";
  return std::nullopt;
}

bool isSource(const fs::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc";
}

struct Include {
  int line = 0;
  bool quoted = false;
  std::string target;
};

std::vector<Include> includesOf(const fs::path& file) {
  static const std::regex pattern(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<Include> out;
  std::ifstream in(file);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    std::smatch match;
    if (std::regex_search(text, match, pattern)) {
      out.push_back({number, match[1] == "\"", match[2]});
    }
  }
  return out;
}

// Where a quoted include is found: next to the including file, then below src/ and tests/
// (the include folders of the build). Empty when it is none of the project's files.
fs::path resolve(const fs::path& root, const fs::path& includer, const std::string& target) {
  for (const fs::path& base : {includer.parent_path(), root / "src", root / "tests"}) {
    const fs::path candidate = base / target;
    if (fs::is_regular_file(candidate)) return fs::relative(candidate, root);
  }
  return {};
}

// What a file of the layer of `rank` may include: "texts, base and its own headers".
std::string allowedFor(int rank) {
  std::vector<std::string> below;
  for (int k = 0; k < rank && k < static_cast<int>(kCoreLayers.size()); ++k)
    below.emplace_back(kCoreLayers[static_cast<std::size_t>(k)]);
  if (rank > kPlotRank) below.emplace_back("plot");
  if (below.empty()) return "only its own headers";
  std::string out;
  for (const std::string& layer : below)
    out += layer + ", ";
  out.resize(out.size() - 2);
  return out + " and its own headers";
}

// Every breach of the layering in the tree at `root`, one message each, naming both files.
std::vector<std::string> layerBreaches(const fs::path& root) {
  std::vector<fs::path> files;
  for (const char* top : {"src", "tests", "bench"}) {
    if (!fs::is_directory(root / top)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / top)) {
      if (entry.is_regular_file() && isSource(entry.path())) files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());

  std::vector<std::string> breaches;
  for (const fs::path& file : files) {
    const fs::path relative = fs::relative(file, root);
    std::string problem;
    const std::optional<Layer> own = layerOfFile(relative, problem);
    if (!own) {
      breaches.push_back(relative.string() + " " + problem);
      continue;
    }
    for (const Include& include : includesOf(file)) {
      const std::string where = relative.string() + ":" + std::to_string(include.line);
      if (!include.quoted) {
        const bool qt = include.target.starts_with("Q") || include.target.starts_with("qt");
        if (qt && !own->mayIncludeQt()) {
          breaches.push_back(where + " (layer " + own->name + ") includes the Qt header <" +
                             include.target + ">: only plot, gui and diagram use Qt");
        }
        continue;
      }
      const fs::path header = resolve(root, file, include.target);
      if (header.empty()) continue;  // not one of the project's files
      const std::vector<std::string> p = parts(header);
      const std::optional<Layer> theirs =
          layerOfTreePath(std::vector<std::string>(p.begin() + 1, p.end()));
      if (!theirs) {
        // A header next to the includer outside the layer folders (a benchmark's own header).
        if (header.parent_path() == relative.parent_path()) continue;
        breaches.push_back(where + " includes " + header.string() + ", which lies in no layer");
        continue;
      }
      if (theirs->rank > own->rank) {
        breaches.push_back(where + " (layer " + own->name + ") includes " + header.string() +
                           " of the higher layer " + theirs->name + "; " + own->name +
                           " may include " + allowedFor(own->rank));
      } else if (own->frontEnd() && theirs->frontEnd() && theirs->name != own->name) {
        breaches.push_back(where + " (front end " + own->name + ") includes " + header.string() +
                           " of the front end " + theirs->name +
                           "; front ends never include one another");
      }
    }
  }
  return breaches;
}

TEST(Layers, NoFileIncludesAHigherLayerOrAnotherFrontEnd) {
  const fs::path root = BUBBLIX_SOURCE_DIR;
  ASSERT_TRUE(fs::is_directory(root / "src" / "core")) << root;
  for (const std::string& breach : layerBreaches(root))
    ADD_FAILURE() << breach;
}

// A small tree with one breach of each kind, and includes that are allowed.
class PlantedTree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("bubblix-layers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    write("src/core/base/real.h", "#pragma once\n");
    write("src/core/session/dialogs.h", "#include \"core/base/real.h\"\n");
    write("src/core/numerics/matrix_inversion.cpp",
          "#include <cmath>\n#include \"core/base/real.h\"\n#include \"core/session/dialogs.h\"\n");
    write("src/gui/main_window.h", "#include <QWidget>\n#include \"core/session/dialogs.h\"\n");
    write("src/cli/main.cpp", "#include \"gui/main_window.h\"\n");
    write("src/core/models/model.cpp", "#include <QString>\n");
    write("src/core/stray.h", "#pragma once\n");
    write("bench/cases.cpp", "#include \"cases.h\"\n#include \"core/session/dialogs.h\"\n");
    write("bench/cases.h", "#pragma once\n");
    write("tests/core/numerics/support.h", "#include \"core/session/dialogs.h\"\n");
  }
  void TearDown() override { fs::remove_all(root_); }

  void write(const std::string& path, const std::string& text) {
    fs::create_directories((root_ / path).parent_path());
    std::ofstream(root_ / path) << text;
  }

  fs::path root_;
};

TEST_F(PlantedTree, EachBreachIsNamedWithBothFiles) {
  const std::vector<std::string> breaches = layerBreaches(root_);
  const std::vector<std::string> expected = {
      "src/cli/main.cpp:1 (front end cli) includes src/gui/main_window.h of the front end gui; "
      "front ends never include one another",
      "src/core/models/model.cpp:1 (layer models) includes the Qt header <QString>: only plot, "
      "gui and diagram use Qt",
      "src/core/numerics/matrix_inversion.cpp:3 (layer numerics) includes "
      "src/core/session/dialogs.h of the higher layer session; numerics may include texts, "
      "base, io and its own headers",
      "src/core/stray.h lies in no layer: the core's files belong in src/core/<layer>/ (texts "
      "... session), the rest in src/plot/ or a front end's folder",
      "tests/core/numerics/support.h:1 (layer numerics) includes src/core/session/dialogs.h of "
      "the higher layer session; numerics may include texts, base, io and its own headers"};
  EXPECT_EQ(breaches, expected);
}

}  // namespace
}  // namespace bubblix
