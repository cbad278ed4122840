#include "io/PerceiveBonds.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "base/FixedText.h"
#include "io/FileBytes.h"
#include "model/BondEditing.h"
#include "model/BondReach.h"
#include "model/Document.h"

namespace tf {
namespace {

// Atom index by serial number, for the serials exactly one atom has.
class SerialIndex {
 public:
  explicit SerialIndex(const Document& document) {
    const uint32_t count = std::min(document.atomCount, kMaxAtoms);
    entries_.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
      entries_.push_back({document.atoms[i].serial, static_cast<int32_t>(i)});
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& p, const Entry& q) { return p.serial < q.serial; });
  }

  // The atom with this serial; -1 when no atom or several have it.
  int32_t Find(int32_t serial) const {
    const auto [first, last] =
        std::equal_range(entries_.begin(), entries_.end(), Entry{serial, 0},
                         [](const Entry& p, const Entry& q) { return p.serial < q.serial; });
    return last - first == 1 ? first->index : -1;
  }

 private:
  struct Entry {
    int32_t serial;
    int32_t index;
  };
  std::vector<Entry> entries_;
};

// One bit per unordered pair of atoms: which pairs were tried already.
class TriedPairs {
 public:
  explicit TriedPairs(uint32_t atomCount)
      : bits_(static_cast<std::size_t>(atomCount) * atomCount / 2 + 1) {}

  // Marks the pair; false when it was marked before. Needs a != b.
  bool Mark(int32_t a, int32_t b) {
    const std::size_t bit = Position(a, b);
    if (bits_[bit]) return false;
    bits_[bit] = true;
    return true;
  }
  bool Contains(int32_t a, int32_t b) const { return bits_[Position(a, b)]; }

 private:
  static std::size_t Position(int32_t a, int32_t b) {
    const std::size_t low = static_cast<std::size_t>(std::min(a, b));
    const std::size_t high = static_cast<std::size_t>(std::max(a, b));
    return high * (high - 1) / 2 + low;
  }
  std::vector<bool> bits_;
};

void Count(PerceivedBonds& perceived, BondRefusal outcome) {
  switch (outcome) {
    case BondRefusal::kAdded:
      ++perceived.added;
      break;
    case BondRefusal::kCapacity:
      ++perceived.refusedCapacity;
      break;
    case BondRefusal::kAlreadyBonded:
      ++perceived.refusedAlreadyBonded;
      break;
    case BondRefusal::kValence:
      ++perceived.refusedValence;
      break;
    case BondRefusal::kNoDistanceParameter:
      ++perceived.refusedNoDistanceParameter;
      break;
    case BondRefusal::kNotInUse:  // candidates name two distinct atoms in use
      break;
  }
}

// Appends "N one" or "N many" by the count.
void AppendCounted(std::string& text, uint64_t count, std::string_view one, std::string_view many) {
  text.append(std::to_string(count)).append(" ").append(count == 1 ? one : many);
}

}  // namespace

PerceivedBonds PerceiveBonds(Document& document, const ForceFieldTables& tables) {
  std::vector<SerialPair> conect;
  if (std::optional<std::string> bytes = ReadFileBytes(TextView(document.filePath)))
    conect = ReadConectPairs(*bytes);
  return AddPerceivedBonds(document, tables, conect);
}

PerceivedBonds AddPerceivedBonds(Document& document, const ForceFieldTables& tables,
                                 std::span<const SerialPair> conect) {
  PerceivedBonds perceived;
  std::lock_guard model(document.modelLock);
  const auto tryPair = [&](int32_t a, int32_t b) {
    Count(perceived, AddBondLocked(document, tables, std::min(a, b), std::max(a, b)));
  };

  // A bond is usually listed from both of its atoms: each pair once.
  std::optional<TriedPairs> tried;
  if (!conect.empty()) {
    const SerialIndex serials(document);
    tried.emplace(std::min(document.atomCount, kMaxAtoms));
    for (const SerialPair& pair : conect) {
      const int32_t a = serials.Find(pair.first);
      const int32_t b = serials.Find(pair.second);
      if (a >= 0 && b >= 0 && a != b && tried->Mark(a, b)) tryPair(a, b);
    }
  }
  for (const ReachPair& pair : PairsWithinBondReach(document, tables)) {
    if (!tried || !tried->Contains(pair.first, pair.second)) tryPair(pair.first, pair.second);
  }
  return perceived;
}

std::string DescribePerceivedBonds(const PerceivedBonds& perceived) {
  std::string text;
  AppendCounted(text, perceived.added, "bond was added.", "bonds were added.");
  const uint64_t refused = uint64_t{perceived.refusedCapacity} + perceived.refusedValence +
                           perceived.refusedNoDistanceParameter + perceived.refusedAlreadyBonded;
  if (refused == 0) return text.append("\nNo candidate pair was refused.");
  text.append("\n");
  AppendCounted(text, refused, "candidate pair was refused: ", "candidate pairs were refused: ");
  text.append(std::to_string(perceived.refusedCapacity)).append(" over the bond capacity of ");
  text.append(std::to_string(kMaxBonds)).append(", ");
  text.append(std::to_string(perceived.refusedValence)).append(" over an atom's valence, ");
  text.append(std::to_string(perceived.refusedNoDistanceParameter))
      .append(" with no distance parameter, ");
  text.append(std::to_string(perceived.refusedAlreadyBonded)).append(" already bonded.");
  return text;
}

}  // namespace tf
