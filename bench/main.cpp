// bubblix_bench: checks every case against bench/golden.txt, then times the cases with Google
// Benchmark and ends with a table of the median CPU time per run next to the targets.
//
// Options of its own (the rest go to Google Benchmark, e.g. --benchmark_filter=gamma):
//   --record-golden   compute every case and write golden.txt instead of timing
//   --check-only      check the golden results and stop
//   --golden=FILE     another golden file
//   --profile=CASE --runs=K   run one case K times (default 1000) and nothing else, for
//                     valgrind --tool=callgrind

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench_cases.h"

namespace bubblix::bench {
namespace {

using GoldenTable = std::map<std::string, Results>;

GoldenTable readGolden(const std::string& path) {
  GoldenTable table;
  std::ifstream in(path);
  if (!in) return table;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name;
    fields >> name;
    Results results;
    for (std::string token; fields >> token;)
      results.push_back(token);
    table[name] = results;
  }
  return table;
}

bool writeGolden(const std::string& path, const GoldenTable& table) {
  std::ofstream out(path);
  out << "# Results of every benchmark case, recorded before the optimisations: Reals as the\n"
         "# exact image \"%La\" of the 80-bit value, counts in decimal. One case per line.\n";
  for (const BenchCase& c : allCases()) {
    out << c.Name;
    for (const std::string& token : table.at(c.Name))
      out << ' ' << token;
    out << '\n';
  }
  return static_cast<bool>(out);
}

// Describes the first difference, or returns "" when the results are the golden ones.
std::string difference(const Results& golden, const Results& got) {
  if (golden.size() != got.size()) {
    return std::to_string(got.size()) + " results instead of " + std::to_string(golden.size());
  }
  for (std::size_t k = 0; k < golden.size(); ++k) {
    if (golden[k] != got[k]) {
      return "result " + std::to_string(k) + " is " + got[k] + ", golden " + golden[k];
    }
  }
  return "";
}

GoldenTable g_golden;
bool g_failed = false;

// Runs every case once and compares; prints every difference.
bool checkAll(GoldenTable* recorded) {
  bool ok = true;
  for (const BenchCase& c : allCases()) {
    Results results;
    try {
      auto work = c.Make();
      work->run();
      results = work->results();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "GOLDEN CHECK FAILED: %s threw: %s\n", c.Name.c_str(), e.what());
      ok = false;
      continue;
    }
    if (recorded != nullptr) {
      (*recorded)[c.Name] = results;
      continue;
    }
    const auto golden = g_golden.find(c.Name);
    if (golden == g_golden.end()) {
      std::fprintf(stderr, "GOLDEN CHECK FAILED: %s has no golden results\n", c.Name.c_str());
      ok = false;
      continue;
    }
    const std::string diff = difference(golden->second, results);
    if (!diff.empty()) {
      std::fprintf(stderr, "GOLDEN CHECK FAILED: %s: %s\n", c.Name.c_str(), diff.c_str());
      ok = false;
    }
  }
  return ok;
}

void timeCase(benchmark::State& state, const BenchCase& c) {
  auto work = c.Make();
  for (auto _ : state)
    work->run();
  if (c.ItemsPerRun > 0) {
    state.SetItemsProcessed(
        static_cast<std::int64_t>(static_cast<double>(state.iterations()) * c.ItemsPerRun));
  }
  const std::string diff = difference(g_golden[c.Name], work->results());
  if (!diff.empty()) {
    g_failed = true;
    std::fprintf(stderr, "GOLDEN CHECK FAILED after timing: %s: %s\n", c.Name.c_str(),
                 diff.c_str());
    state.SkipWithError("results differ from the golden file");
  }
}

void registerCases() {
  for (const BenchCase& c : allCases()) {
    auto* b = benchmark::RegisterBenchmark(c.Name.c_str(),
                                           [&c](benchmark::State& state) { timeCase(state, c); });
    switch (c.Size) {
      case CaseSize::Micro:
        b->MinTime(0.05)->Repetitions(5)->Unit(benchmark::kMicrosecond);
        break;
      case CaseSize::Milli:
        b->MinTime(0.2)->Repetitions(5)->Unit(benchmark::kMillisecond);
        break;
      case CaseSize::Long:
        b->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
        break;
    }
    b->DisplayAggregatesOnly(true);
  }
}

std::string formatSeconds(double s) {
  char buffer[32];
  if (s < 1e-3) {
    std::snprintf(buffer, sizeof buffer, "%.3g us", s * 1e6);
  } else if (s < 1.0) {
    std::snprintf(buffer, sizeof buffer, "%.3g ms", s * 1e3);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.3g s", s);
  }
  return buffer;
}

double toSeconds(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return value * 1e-9;
    case benchmark::kMicrosecond:
      return value * 1e-6;
    case benchmark::kMillisecond:
      return value * 1e-3;
    case benchmark::kSecond:
      return value;
  }
  return value;
}

// The console output, then a Markdown table of the medians next to the targets.
class MedianTableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      Median& m = medians_[run.run_name.function_name];
      m.cpu = toSeconds(run.GetAdjustedCPUTime(), run.time_unit);
      m.real = toSeconds(run.GetAdjustedRealTime(), run.time_unit);
      const auto items = run.counters.find("items_per_second");
      if (items != run.counters.end()) m.itemsPerSecond = items->second.value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    if (medians_.empty()) return;
    std::ostream& out = GetOutputStream();
    out << "\n| case | median CPU | median wall | target | met |\n|---|---|---|---|---|\n";
    for (const BenchCase& c : allCases()) {
      const auto found = medians_.find(c.Name);
      if (found == medians_.end()) continue;
      const Median& m = found->second;
      out << "| " << c.Name << " | " << formatSeconds(m.cpu) << " | " << formatSeconds(m.real)
          << " | ";
      if (c.TargetSeconds > 0) {
        out << "<= " << formatSeconds(c.TargetSeconds) << " | "
            << (m.cpu <= c.TargetSeconds ? "yes" : "NO");
      } else {
        out << "- | -";
      }
      if (m.itemsPerSecond > 0) out << " (" << static_cast<long long>(m.itemsPerSecond) << "/s)";
      out << " |\n";
    }
  }

 private:
  struct Median {
    double cpu = 0;
    double real = 0;
    double itemsPerSecond = 0;
  };
  std::map<std::string, Median> medians_;
};

}  // namespace
}  // namespace bubblix::bench

int main(int argc, char** argv) {
  using namespace bubblix::bench;
  std::string goldenPath = BUBBLIX_BENCH_GOLDEN;
  bool record = false;
  bool checkOnly = false;
  std::string profileCase;
  long runs = 1000;
  std::vector<char*> rest = {argv[0]};
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--record-golden") == 0) {
      record = true;
    } else if (std::strcmp(argv[k], "--check-only") == 0) {
      checkOnly = true;
    } else if (std::strncmp(argv[k], "--golden=", 9) == 0) {
      goldenPath = argv[k] + 9;
    } else if (std::strncmp(argv[k], "--profile=", 10) == 0) {
      profileCase = argv[k] + 10;
    } else if (std::strncmp(argv[k], "--runs=", 7) == 0) {
      runs = std::strtol(argv[k] + 7, nullptr, 10);
    } else {
      rest.push_back(argv[k]);
    }
  }

  addReferenceCases();
  addModelCases();
  addFitCases();
  addSessionCases();
  addBatchCases();

  if (!profileCase.empty()) {
    for (const BenchCase& c : allCases()) {
      if (c.Name != profileCase) continue;
      auto work = c.Make();
      for (long k = 0; k < runs; ++k)
        work->run();
      return 0;
    }
    std::fprintf(stderr, "no case %s\n", profileCase.c_str());
    return 1;
  }

  if (record) {
    GoldenTable recorded;
    if (!checkAll(&recorded)) return 1;
    if (!writeGolden(goldenPath, recorded)) {
      std::fprintf(stderr, "cannot write %s\n", goldenPath.c_str());
      return 1;
    }
    std::printf("recorded %zu cases in %s\n", recorded.size(), goldenPath.c_str());
    return 0;
  }

  g_golden = readGolden(goldenPath);
  if (g_golden.empty()) {
    std::fprintf(stderr, "GOLDEN CHECK FAILED: no golden results in %s\n", goldenPath.c_str());
    return 1;
  }
  if (!checkAll(nullptr)) {
    std::fprintf(stderr, "The results are not the golden ones: nothing is timed.\n");
    return 1;
  }
  std::printf("golden check: %zu cases identical to the last bit\n", allCases().size());
  if (checkOnly) return 0;

  int benchArgc = static_cast<int>(rest.size());
  benchmark::Initialize(&benchArgc, rest.data());
  if (benchmark::ReportUnrecognizedArguments(benchArgc, rest.data())) return 1;
  registerCases();
  MedianTableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (g_failed) {
    std::fprintf(stderr, "GOLDEN CHECK FAILED during the timing runs.\n");
    return 1;
  }
  return 0;
}
