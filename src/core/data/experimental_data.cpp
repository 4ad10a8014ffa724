#include "core/data/experimental_data.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/data/database.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

// Points as measured: t in degC; x and y are the mole fractions of the entry's first
// component.

// Entry [1][2].
constexpr Real kSet12T[] = {100.0L, 98.1L,  92.9L,  89.9L,  88.13L, 86.2L,  85.28L, 84.2L,  83.5L,
                            82.9L,  82.55L, 82.16L, 81.85L, 81.64L, 81.45L, 81.15L, 80.66L, 80.39L,
                            80.25L, 79.89L, 79.77L, 79.65L, 79.4L,  79.15L, 78.89L, 78.86L, 78.8L,
                            78.76L, 78.71L, 78.66L, 78.6L,  78.57L, 78.53L, 78.5L,  78.47L, 78.44L,
                            78.4L,  78.37L, 78.34L, 78.31L, 78.28L, 78.24L, 78.21L, 78.18L, 78.15L,
                            78.2L,  78.25L, 78.3L,  78.15L, 78.2L,  78.25L, 78.3L};
constexpr Real kSet12X[] = {
    0.0L,  0.01L, 0.03L, 0.05L, 0.07L, 0.1L,     0.12L, 0.15L, 0.175L, 0.2L,  0.22L, 0.25L, 0.28L,
    0.3L,  0.32L, 0.35L, 0.4L,  0.43L, 0.45L,    0.5L,  0.52L, 0.55L,  0.6L,  0.65L, 0.7L,  0.71L,
    0.72L, 0.73L, 0.74L, 0.75L, 0.76L, 0.77L,    0.78L, 0.79L, 0.8L,   0.81L, 0.82L, 0.83L, 0.84L,
    0.85L, 0.86L, 0.87L, 0.88L, 0.89L, 0.89447L, 0.9L,  0.91L, 0.919L, 0.95L, 0.97L, 0.99L, 1.0L};
constexpr Real kSet12Y[] = {0.0L,    0.104L,  0.2442L, 0.3245L, 0.3775L,  0.437L,  0.4675L, 0.498L,
                            0.5145L, 0.528L,  0.5375L, 0.5505L, 0.5635L,  0.5725L, 0.5805L, 0.592L,
                            0.6102L, 0.6205L, 0.628L,  0.6475L, 0.6565L,  0.671L,  0.698L,  0.7255L,
                            0.753L,  0.759L,  0.765L,  0.771L,  0.777L,   0.783L,  0.789L,  0.795L,
                            0.8015L, 0.808L,  0.8155L, 0.8225L, 0.83L,    0.8385L, 0.847L,  0.856L,
                            0.8645L, 0.873L,  0.8806L, 0.8905L, 0.89447L, 0.899L,  0.9075L, 0.9158L,
                            0.9466L, 0.9681L, 0.9895L, 1.0L};

// Entry [3][1], mirrored into [1][3].
constexpr Real kSet31T[] = {78.3L, 76.6L, 75.0L, 73.6L, 72.3L, 71.7L, 70.0L,
                            68.6L, 67.7L, 66.9L, 66.6L, 65.8L, 65.6L, 64.6L};
constexpr Real kSet31X[] = {0.0L,   0.134L, 0.242L, 0.32L,  0.401L, 0.435L, 0.542L,
                            0.652L, 0.728L, 0.79L,  0.814L, 0.873L, 0.91L,  1.0L};
constexpr Real kSet31Y[] = {0.0L,   0.183L, 0.326L, 0.428L, 0.529L, 0.566L, 0.676L,
                            0.759L, 0.813L, 0.858L, 0.875L, 0.919L, 0.937L, 1.0L};

// Entry [4][1], mirrored into [1][4].
constexpr Real kSet41T[] = {78.3L, 76.1L, 74.6L, 73.3L, 72.3L, 72.0L,
                            71.9L, 72.4L, 72.7L, 73.9L, 77.15L};
constexpr Real kSet41X[] = {0.0L,   0.079L, 0.164L, 0.264L, 0.372L, 0.442L,
                            0.473L, 0.691L, 0.728L, 0.845L, 1.0L};
constexpr Real kSet41Y[] = {0.0L,   0.155L, 0.267L, 0.372L, 0.438L, 0.483L,
                            0.499L, 0.64L,  0.668L, 0.772L, 1.0L};

// Entry [3][2], mirrored into [2][3].
constexpr Real kSet32T[] = {100.0L, 99.41L, 99.25L, 97.8L,  97.35L, 96.92L, 95.82L, 95.06L, 94.13L,
                            92.24L, 90.0L,  88.57L, 86.93L, 85.37L, 83.38L, 81.95L, 80.25L, 79.06L,
                            78.14L, 76.52L, 75.34L, 74.22L, 73.21L, 71.95L, 70.9L,  69.15L, 68.07L,
                            67.57L, 67.17L, 66.9L,  66.89L, 65.98L, 65.73L, 65.71L, 64.68L, 64.55L};
constexpr Real kSet32X[] = {0.0L,    0.0017L, 0.0035L, 0.0123L, 0.0141L, 0.0198L, 0.0258L, 0.033L,
                            0.0357L, 0.0525L, 0.074L,  0.0872L, 0.1079L, 0.1289L, 0.1635L, 0.1912L,
                            0.2327L, 0.2684L, 0.2942L, 0.3524L, 0.4021L, 0.4543L, 0.5022L, 0.5628L,
                            0.6243L, 0.7173L, 0.7898L, 0.8231L, 0.8426L, 0.8574L, 0.872L,  0.9185L,
                            0.9295L, 0.938L,  0.9885L, 1.0L};
constexpr Real kSet32Y[] = {0.0L,    0.0125L, 0.025L,  0.0889L, 0.0975L, 0.1214L, 0.1589L, 0.1882L,
                            0.2145L, 0.2746L, 0.356L,  0.395L,  0.44L,   0.4776L, 0.537L,  0.5724L,
                            0.6162L, 0.6483L, 0.6658L, 0.7044L, 0.7341L, 0.7595L, 0.7853L, 0.8123L,
                            0.835L,  0.8773L, 0.9098L, 0.9225L, 0.93L,   0.9385L, 0.9422L, 0.9638L,
                            0.9682L, 0.9712L, 0.9947L, 1.0L};

// Entry [4][2], mirrored into [2][4].
constexpr Real kSet42T[] = {100.0L, 98.85L, 96.2L,  86.5L, 76.2L,  70.55L, 70.55L, 70.5L,
                            70.45L, 70.55L, 70.5L,  70.5L, 70.45L, 70.5L,  71.45L, 73.35L,
                            74.8L,  75.0L,  75.55L, 75.6L, 75.9L,  75.7L,  77.15L};
constexpr Real kSet42X[] = {0.0L,    0.00056L, 0.0014L, 0.00489L, 0.00858L, 0.0459L,
                            0.144L,  0.269L,   0.354L,  0.408L,   0.514L,   0.608L,
                            0.69L,   0.775L,   0.8737L, 0.94445L, 0.971L,   0.974L,
                            0.9807L, 0.983L,   0.984L,  0.986L,   1.0L};
constexpr Real kSet42Y[] = {0.0L,   0.04055L, 0.1256L, 0.591L,  0.668L, 0.714L, 0.7025L, 0.706L,
                            0.709L, 0.709L,   0.71L,   0.7025L, 0.707L, 0.699L, 0.765L,  0.865L,
                            0.914L, 0.927L,   0.9411L, 0.947L,  0.953L, 0.954L, 1.0L};

// Entry [3][4].
constexpr Real kSet34T[] = {77.15L, 74.8L, 74.0L, 74.4L, 74.0L, 72.3L, 71.5L, 69.3L, 67.1L, 66.4L,
                            66.0L,  65.3L, 64.7L, 64.2L, 64.0L, 63.6L, 63.7L, 63.6L, 63.1L, 62.4L,
                            62.9L,  62.4L, 62.4L, 62.4L, 62.3L, 62.1L, 62.3L, 62.5L, 62.6L, 62.4L,
                            62.4L,  62.5L, 62.4L, 62.5L, 62.8L, 62.8L, 63.3L, 64.0L, 64.55L};
constexpr Real kSet34X[] = {0.0L,   0.019L, 0.024L, 0.028L, 0.037L, 0.056L, 0.073L, 0.123L,
                            0.181L, 0.211L, 0.236L, 0.265L, 0.311L, 0.35L,  0.352L, 0.403L,
                            0.408L, 0.44L,  0.533L, 0.566L, 0.585L, 0.616L, 0.646L, 0.664L,
                            0.708L, 0.72L,  0.734L, 0.743L, 0.744L, 0.748L, 0.793L, 0.81L,
                            0.815L, 0.822L, 0.883L, 0.889L, 0.939L, 0.961L, 1.0L};
constexpr Real kSet34Y[] = {0.0L,   0.079L, 0.093L, 0.12L,  0.133L, 0.181L, 0.22L,  0.31L,
                            0.384L, 0.42L,  0.442L, 0.468L, 0.492L, 0.52L,  0.526L, 0.557L,
                            0.558L, 0.573L, 0.62L,  0.64L,  0.647L, 0.675L, 0.678L, 0.687L,
                            0.711L, 0.716L, 0.717L, 0.732L, 0.733L, 0.737L, 0.768L, 0.779L,
                            0.784L, 0.79L,  0.842L, 0.846L, 0.903L, 0.934L, 1.0L};

constexpr Real kAtmospherePa = 101308.0L;  // 760 mm Hg at 133.3 Pa per mm Hg

TExperimentalSet& entry(ExperimentalTable& table, int a, int b) {
  return table[static_cast<std::size_t>(a - 1)][static_cast<std::size_t>(b - 1)];
}

void storePoints(TExperimentalSet& set, std::span<const Real> t, std::span<const Real> x,
                 std::span<const Real> y) {
  set.N = static_cast<std::uint16_t>(t.size());
  set.t.assign(t.begin(), t.end());
  set.x.assign(x.begin(), x.end());
  set.y.assign(y.begin(), y.end());
}

void storeStarts(TExperimentalSet& set, std::uint16_t n, Real p, std::array<Real, 2> wilson,
                 std::array<Real, 2> uniquac, std::array<Real, 3> nrtl) {
  set.N = n;
  set.P = p;
  set.WilsonStart = wilson;
  set.UNIQUACStart = uniquac;
  set.NRTLStart = nrtl;
}

// The same points seen from the pair's other component.
void mirror(TExperimentalSet& target, const TExperimentalSet& source) {
  target.t.resize(source.N);
  target.x.resize(source.N);
  target.y.resize(source.N);
  for (std::size_t k = 0; k < source.N; ++k) {
    target.t[k] = source.t[k];
    target.x[k] = 1.0L - source.x[k];
    target.y[k] = 1.0L - source.y[k];
  }
}

}  // namespace

ExperimentalTable buildExperimentalData() {
  ExperimentalTable table{};

  storePoints(entry(table, 1, 2), kSet12T, kSet12X, kSet12Y);
  storeStarts(entry(table, 1, 2), 52, kAtmospherePa, {7.5L, 3.5L}, {0.5L, 0.5L},
              {1.5L, 1.5L, 1.0L});
  storePoints(entry(table, 3, 4), kSet34T, kSet34X, kSet34Y);
  storeStarts(entry(table, 3, 4), 39, kAtmospherePa, {0.5L, 0.5L}, {0.3L, 0.4L},
              {4.5L, 4.5L, 1.0L});

  storePoints(entry(table, 3, 1), kSet31T, kSet31X, kSet31Y);
  storePoints(entry(table, 4, 1), kSet41T, kSet41X, kSet41Y);
  storePoints(entry(table, 3, 2), kSet32T, kSet32X, kSet32Y);
  storePoints(entry(table, 4, 2), kSet42T, kSet42X, kSet42Y);

  storeStarts(entry(table, 1, 3), 14, kAtmospherePa, {1.5L, 1.5L}, {1.0L, 1.6L},
              {5.5L, 5.5L, 1.0L});
  storeStarts(entry(table, 1, 4), 11, kAtmospherePa, {1.0L, 1.0L}, {1.1L, 1.1L},
              {1.5L, 1.0L, 1.0L});
  storeStarts(entry(table, 2, 3), 36, kAtmospherePa, {1.5L, 0.5L}, {1.1L, 1.1L},
              {1.5L, 1.0L, 1.0L});
  storeStarts(entry(table, 2, 4), 23, kAtmospherePa, {1.5L, 0.5L}, {1.1L, 1.1L},
              {0.7L, 0.5L, 1.5L});

  mirror(entry(table, 1, 3), entry(table, 3, 1));
  mirror(entry(table, 2, 3), entry(table, 3, 2));
  mirror(entry(table, 2, 4), entry(table, 4, 2));
  mirror(entry(table, 1, 4), entry(table, 4, 1));
  return table;
}

ExperimentalPoints SelectExperimentalSet(const Database& db, int a, int b) {
  for (const int number : {a, b}) {
    if (number < 1 || number > 4) {
      throw DataError(kComponentNumberInvalidText, {std::to_string(number)});
    }
  }
  const TExperimentalSet& set =
      db.ExperimentalData[static_cast<std::size_t>(a - 1)][static_cast<std::size_t>(b - 1)];
  const std::vector<std::string> pair = {std::to_string(a), std::to_string(b)};
  if (set.N == 0 || !(set.P > 0)) throw DataError(kNoExperimentalSetText, pair);
  if (set.t.size() < set.N || set.x.size() < set.N || set.y.size() < set.N) {
    throw DataError(kExperimentalSetShortText, {pair[0], pair[1], std::to_string(set.N)});
  }

  ExperimentalPoints points;
  points.A = a;
  points.B = b;
  points.P = set.P;
  points.WilsonStart = set.WilsonStart;
  points.NRTLStart = set.NRTLStart;
  points.UNIQUACStart = set.UNIQUACStart;
  points.tau.reserve(set.N);
  for (std::size_t k = 0; k < set.N; ++k)
    points.tau.push_back(tauFromCelsius(set.t[k]));
  points.Pressures.assign(set.N, set.P);
  points.x1.assign(set.x.begin(), set.x.begin() + set.N);
  points.y1.assign(set.y.begin(), set.y.begin() + set.N);
  return points;
}

const TExperimentalSet* pairDataSet(const Database& db, int a, int b) {
  const int low = std::min(a, b);
  const int high = std::max(a, b);
  if (low < 1 || high > kBuiltInComponents || low == high) return nullptr;
  const TExperimentalSet& set =
      db.ExperimentalData[static_cast<std::size_t>(low - 1)][static_cast<std::size_t>(high - 1)];
  const bool usable = set.N > 0 && std::isfinite(set.P) && set.P > 0 && set.x.size() >= set.N &&
                      set.y.size() >= set.N && set.t.size() >= set.N;
  return usable ? &set : nullptr;
}

namespace {

bool namesPair(const LoadedDataSet& set, int a, int b) {
  return (set.Components[0] == a && set.Components[1] == b) ||
         (set.Components[0] == b && set.Components[1] == a);
}

bool hasLoadedSet(const Database& db, int a, int b) {
  return std::any_of(db.LoadedSets.begin(), db.LoadedSets.end(), [&](const LoadedDataSet& set) {
    return namesPair(set, a, b) && !set.t.empty();
  });
}

}  // namespace

bool pairHasData(const Database& db, int a, int b) {
  if (a == b) return false;
  return hasLoadedSet(db, a, b) || pairDataSet(db, a, b) != nullptr;
}

bool HasNoExperimentalData(const Database& db, int a, int b) {
  return !pairHasData(db, a, b);
}

ExperimentalPoints pairExperimentalPoints(const Database& db, int a, int b) {
  const TExperimentalSet* builtIn = pairDataSet(db, a, b);
  if (a != b && hasLoadedSet(db, a, b)) {
    ExperimentalPoints points;
    points.A = a;
    points.B = b;
    if (builtIn != nullptr) {
      points.WilsonStart = builtIn->WilsonStart;
      points.NRTLStart = builtIn->NRTLStart;
      points.UNIQUACStart = builtIn->UNIQUACStart;
    } else {
      points.WilsonStart = kDefaultWilsonStart;
      points.NRTLStart = kDefaultNRTLStart;
      points.UNIQUACStart = kDefaultUNIQUACStart;
    }
    for (const LoadedDataSet& set : db.LoadedSets) {
      if (!namesPair(set, a, b)) continue;
      const bool mirrored = set.Components[0] != a;
      const std::size_t n = std::min({set.t.size(), set.P.size(), set.x.size(), set.y.size()});
      for (std::size_t k = 0; k < n; ++k) {
        points.tau.push_back(tauFromCelsius(set.t[k]));
        points.Pressures.push_back(set.P[k]);
        points.x1.push_back(mirrored ? 1.0L - set.x[k] : set.x[k]);
        points.y1.push_back(mirrored ? 1.0L - set.y[k] : set.y[k]);
      }
    }
    if (points.tau.empty()) {
      throw DataError(kNoExperimentalSetText, {std::to_string(a), std::to_string(b)});
    }
    points.P = points.Pressures.front();
    return points;
  }
  if (builtIn == nullptr) {
    throw DataError(kNoExperimentalSetText, {std::to_string(a), std::to_string(b)});
  }
  ExperimentalPoints points = SelectExperimentalSet(db, std::min(a, b), std::max(a, b));
  if (a > b) {
    points.A = a;
    points.B = b;
    for (Real& x : points.x1)
      x = 1.0L - x;
    for (Real& y : points.y1)
      y = 1.0L - y;
  }
  return points;
}

std::optional<Real> pairCommonPressure(const Database& db, int a, int b) {
  if (!pairHasData(db, a, b)) return std::nullopt;
  const ExperimentalPoints points = pairExperimentalPoints(db, a, b);
  for (const Real p : points.Pressures) {
    if (p != points.P) return std::nullopt;
  }
  return points.P;
}

}  // namespace bubblix
