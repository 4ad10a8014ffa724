#include "core/data/properties.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/base/errors.h"
#include "core/base/units.h"
#include "core/io/number_format.h"
#include "core/texts/data_texts.h"

namespace bubblix {
namespace {

enum class PropertyKey {
  All,
  Density,
  VapourPressure,
  LiquidEnthalpy,
  VapourEnthalpy,
  CondensateEnthalpy,
  SteamEnthalpy
};

std::optional<PropertyKey> findKey(std::string_view key) {
  if (key == "all") return PropertyKey::All;
  if (key == "density") return PropertyKey::Density;
  if (key == "vap_press") return PropertyKey::VapourPressure;
  if (key == "enthalp_l") return PropertyKey::LiquidEnthalpy;
  if (key == "enthalp_v") return PropertyKey::VapourEnthalpy;
  if (key == "enthalp_c") return PropertyKey::CondensateEnthalpy;
  if (key == "enthalp_s") return PropertyKey::SteamEnthalpy;
  return std::nullopt;
}

// The first `count` characters (not bytes) of a UTF-8 string.
std::string firstCharacters(std::string_view s, std::size_t count) {
  std::size_t seen = 0;
  std::size_t end = 0;
  for (; end < s.size(); ++end) {
    const auto byte = static_cast<unsigned char>(s[end]);
    const bool startsCharacter = (byte & 0xC0u) != 0x80u;
    if (startsCharacter && seen++ == count) break;
  }
  return std::string(s.substr(0, end));
}

// "свойство " (9 characters) + key keeps at most 19 characters.
constexpr std::size_t kShownKeyCharacters = 10;

const TComponentRecord* findRecord(const Database& db, std::string_view name) {
  for (const TComponentRecord& record : db.ComponentBase) {
    if (name == record.EnglishName || name == record.RussianName) return &record;
  }
  return nullptr;
}

struct TableView {
  std::span<const Real> X;
  std::span<const Real> Y;
};

// A table of `rows` rows; never longer than the stored columns.
TableView tableView(std::size_t rows, std::span<const Real> x, std::span<const Real> y) {
  const std::size_t n = std::min({rows, x.size(), y.size()});
  return {x.first(n), y.first(n)};
}

[[noreturn, gnu::cold, gnu::noinline]] void throwBadSlot(int slot) {
  const std::string position = std::to_string(static_cast<long long>(slot) + 1);
  if (slot < 0 || slot > 3) throw DataError(kMixtureSlotInvalidText, {position});
  throw DataError(kMixtureSlotNotLoadedText, {position});
}

[[noreturn, gnu::cold, gnu::noinline]] void throwBadDensity(const Mixture& mixture, int slot,
                                                            Real t) {
  throw ArithmeticError(
      kDensityNotPositiveText,
      {mixture.ComponentNames[static_cast<std::size_t>(slot)], formatSignificant(t, 6)});
}

[[noreturn, gnu::cold, gnu::noinline]] void throwBadPressure(const Mixture& mixture, int slot,
                                                             Real tau) {
  throw ArithmeticError(kVapourPressureInvalidText,
                        {mixture.ComponentNames[static_cast<std::size_t>(slot)],
                         formatSignificant(celsiusFromTau(tau), 6)});
}

[[noreturn, gnu::cold, gnu::noinline]] void throwBelowPole(const Mixture& mixture, int slot,
                                                           Real tau) {
  const auto s = static_cast<std::size_t>(slot);
  throw ArithmeticError(kVapourPressurePoleText,
                        {mixture.ComponentNames[s], formatSignificant(celsiusFromTau(tau), 6),
                         formatSignificant(-mixture.MixAntoineC[s] - kZeroCelsiusK, 6)});
}

[[noreturn, gnu::cold, gnu::noinline]] void throwAbsurdPressure(const Mixture& mixture, int slot,
                                                                Real tau, Real p) {
  throw ArithmeticError(kVapourPressureAbsurdText,
                        {mixture.ComponentNames[static_cast<std::size_t>(slot)],
                         formatSignificant(celsiusFromTau(tau), 6), formatSignificant(p, 6),
                         formatSignificant(kLargestVapourPressure, 6)});
}

const TComponentRecord& loadedRecord(const Mixture& mixture, int slot) {
  if (slot < 0 || slot > 3 || mixture.Records[static_cast<std::size_t>(slot)] == nullptr) {
    throwBadSlot(slot);
  }
  return *mixture.Records[static_cast<std::size_t>(slot)];
}

}  // namespace

PropertyLookup GetProperty(const Database& db, std::string_view name, std::string_view key) {
  const std::optional<PropertyKey> property = findKey(key);
  if (!property) throw DataError(kUnknownPropertyText, {firstCharacters(key, kShownKeyCharacters)});
  const TComponentRecord* record = findRecord(db, name);
  if (record == nullptr) throw DataError(kUnknownComponentText, {std::string(name)});

  PropertyLookup out;
  out.Record = record;
  TableView table;
  switch (*property) {
    case PropertyKey::All:
      out.A = record->AntoineA;
      out.B = record->AntoineB;
      out.C = record->AntoineC;
      out.M = record->MolarMass;
      out.Groups = &record->Groups;
      return out;
    case PropertyKey::Density:
      table = tableView(record->PropertyRows, record->Temperature, record->Density);
      break;
    case PropertyKey::VapourPressure:
      table = tableView(record->PressureRows, record->PressureTemperature, record->VapourPressure);
      break;
    case PropertyKey::LiquidEnthalpy:
      table = tableView(record->PropertyRows, record->Temperature, record->LiquidEnthalpy);
      break;
    case PropertyKey::VapourEnthalpy:
      table = tableView(record->PropertyRows, record->Temperature, record->VapourEnthalpy);
      break;
    case PropertyKey::CondensateEnthalpy:
      table = tableView(db.Steam.SteamPressure.size(), db.Steam.SteamPressure,
                        db.Steam.CondensateEnthalpy);
      break;
    case PropertyKey::SteamEnthalpy:
      table =
          tableView(db.Steam.SteamPressure.size(), db.Steam.SteamPressure, db.Steam.SteamEnthalpy);
      break;
  }
  out.X = table.X;
  out.Y = table.Y;
  return out;
}

void GroupSums(const TComponentGroups& groups, Real& r, Real& q, std::array<Real, 10>& X) {
  if (groups.Count < 1 || groups.Count > 10) {
    throw DataError(kGroupCountInvalidText, {std::to_string(groups.Count)});
  }
  Real rSum = 0;
  Real qSum = 0;
  unsigned total = 0;  // cannot wrap: at most 10 * 255
  for (std::size_t k = 0; k < groups.Count; ++k) {
    const Real nu = groups.Nu[k];
    rSum = rSum + nu * groups.R[k];
    qSum = qSum + nu * groups.Q[k];
    total += groups.Nu[k];
  }
  if (total == 0) throw DataError(kGroupMultiplicityZeroText);
  const Real n = total;
  for (std::size_t k = 0; k < groups.Count; ++k)
    X[k] = groups.Nu[k] / n;
  r = rSum;
  q = qSum;
}

Real Interpolate(Real x, std::span<const Real> Y, std::span<const Real> X) {
  const std::size_t n = std::min(X.size(), Y.size());
  if (n == 0) throw DataError(kEmptyPropertyTableText);
  if (n == 1) return Y[0];
  // The first row from 1 on whose abscissa is not below x, the last row when there is none:
  // a binary search over the ascending abscissae finds the row a scan from row 1 would.
  const auto inner = X.subspan(1, n - 2);
  const std::size_t i =
      1 + static_cast<std::size_t>(
              std::partition_point(inner.begin(), inner.end(), [x](Real a) { return a < x; }) -
              inner.begin());
  const Real w = (x - X[i - 1]) / (X[i] - X[i - 1]);
  return (1.0L - w) * Y[i - 1] + w * Y[i];
}

void loadComponent(Mixture& mixture, const Database& db, int slot, std::string_view name) {
  if (slot < 0 || slot > 3) throwBadSlot(slot);
  const PropertyLookup all = GetProperty(db, name, "all");
  TComponentGroups groups = *all.Groups;
  Real r = 0;
  Real q = 0;
  GroupSums(groups, r, q, groups.X);

  const auto s = static_cast<std::size_t>(slot);
  mixture.ComponentNames[s] = std::string(name);
  mixture.MixAntoineA[s] = all.A;
  mixture.MixAntoineB[s] = all.B;
  mixture.MixAntoineC[s] = all.C;
  mixture.MolarMasses[s] = all.M;
  mixture.r[s] = r;
  mixture.q[s] = q;
  mixture.Groups[s] = groups;
  mixture.Records[s] = all.Record;
}

Real MolarVolume(const Mixture& mixture, int slot, Real t) {
  const TComponentRecord& record = loadedRecord(mixture, slot);
  const TableView density = tableView(record.PropertyRows, record.Temperature, record.Density);
  const Real rho = Interpolate(t, density.Y, density.X);
  if (!(rho > 0)) throwBadDensity(mixture, slot, t);
  const Real volume = mixture.MolarMasses[static_cast<std::size_t>(slot)] / rho;
  if (!std::isfinite(volume)) throwBadDensity(mixture, slot, t);
  return volume;
}

Real SaturationPressure(const Mixture& mixture, int slot, Real tau) {
  const TComponentRecord& record = loadedRecord(mixture, slot);
  const TableView table =
      tableView(record.PressureRows, record.PressureTemperature, record.VapourPressure);
  Real p;
  if (!table.X.empty()) {
    p = mmHgToPa(Interpolate(celsiusFromTau(tau), table.Y, table.X));
  } else {
    const auto s = static_cast<std::size_t>(slot);
    const Real T = kZeroCelsiusK * tau;
    // At or below the pole the equation gives no pressure (astronomical values beneath it).
    if (!(T + mixture.MixAntoineC[s] > 0.0L)) throwBelowPole(mixture, slot, tau);
    p = mmHgToPa(
        std::exp(mixture.MixAntoineA[s] - mixture.MixAntoineB[s] / (T + mixture.MixAntoineC[s])));
  }
  if (!(p > 0) || !std::isfinite(p)) throwBadPressure(mixture, slot, tau);
  if (p > kLargestVapourPressure) throwAbsurdPressure(mixture, slot, tau, p);
  return p;
}

}  // namespace bubblix
