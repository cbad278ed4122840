#include "shaping/EnergyGradient.h"

#include <algorithm>
#include <cmath>

#include "shaping/BondTopology.h"
#include "shaping/BondedGradient.h"
#include "shaping/EnergyTerms.h"
#include "shaping/PairChunks.h"
#include "shaping/PairGradientKernel.h"
#include "shaping/PairPool.h"

namespace tf {
namespace shaping {

// Rows of the pair loop between two calls of the progress hook.
constexpr uint32_t kRowsBetweenProgress = 256;

// Row chunks of a large molecule's pair loop. Each chunk adds its partners'
// gradients into arrays of its own, added up in chunk order at the end.
constexpr uint32_t kGradientChunks = 16;

struct PartnerGradient {
  std::vector<double> x, y, z;
};

// Structure-of-arrays copies for the pair kernel, padded to whole steps, and
// each atom's exclusions with later atoms.
struct PairColumns {
  bool lennardJones = false, coulomb = false;
  double lennardJonesStiffness = 0, coulombStiffness = 0;
  std::vector<double> x, y, z, halfSigma, rootEpsilon, charge;
  std::vector<PartnerGradient> chunkGradients;     // per row chunk
  std::vector<std::vector<uint64_t>> slotInclude;  // include flags per pool slot
  std::vector<double> rowEnergy;
  std::vector<uint32_t> laterStart{0};
  std::vector<int32_t> later;
  std::function<void()> progress;
  PairPool* pool = nullptr;

  void Build(const Document& document, const ForceFieldTables& tables, const BondTopology& topology,
             uint32_t terms);
  double Evaluate(uint32_t count, std::span<const double> positions, std::span<double> gradient);
  void EvaluateRows(const PairChunks& chunks, uint32_t chunk, uint32_t slot);
};

void PairColumns::Build(const Document& document, const ForceFieldTables& tables,
                        const BondTopology& topology, uint32_t terms) {
  lennardJones = (terms & kTermVanDerWaals) != 0;
  coulomb = (terms & kTermCoulomb) != 0;
  lennardJonesStiffness = tables.stiffness.lennardJones;
  coulombStiffness = tables.stiffness.coulomb;
  const uint32_t count = topology.AtomCount();
  const size_t padded =
      (static_cast<size_t>(count) + kGradientLanes - 1) / kGradientLanes * kGradientLanes;
  for (auto* column : {&x, &y, &z, &halfSigma, &rootEpsilon, &charge}) column->assign(padded, 0.0);
  chunkGradients.assign(TriangleChunks(count, kGradientChunks).count, {});
  for (PartnerGradient& chunk : chunkGradients)
    for (auto* column : {&chunk.x, &chunk.y, &chunk.z}) column->assign(padded, 0.0);
  std::vector<uint64_t> include(padded, 0);
  rowEnergy.assign(count, 0.0);
  laterStart.assign(1, 0);
  later.clear();
  for (uint32_t i = 0; i < count; ++i) {
    const AtomType& type = AtomTypeOf(document, tables, static_cast<int32_t>(i));
    halfSigma[i] = type.ljSigma * 0.5;
    rootEpsilon[i] = type.ljEpsilon > 0.0f ? std::sqrt(static_cast<double>(type.ljEpsilon)) : 0.0;
    charge[i] = document.atoms[i].charge;
    include[i] = ~uint64_t{0};
    for (int32_t j : topology.Exclusions(i))
      if (static_cast<uint32_t>(j) > i) later.push_back(j);
    laterStart.push_back(static_cast<uint32_t>(later.size()));
  }
  slotInclude.assign(pool ? pool->Threads() : 1, include);
}

// The rows of one chunk, on the pool slot `slot`. The partners' gradients go
// to the chunk's arrays, each row's own to the same arrays at its index.
void PairColumns::EvaluateRows(const PairChunks& chunks, uint32_t chunk, uint32_t slot) {
  std::vector<uint64_t>& include = slotInclude[slot];
  PartnerGradient& partners = chunkGradients[chunk];
  const uint32_t count = static_cast<uint32_t>(rowEnergy.size());
  PairGradientRow row{};
  row.x = x.data();
  row.y = y.data();
  row.z = z.data();
  row.halfSigma = halfSigma.data();
  row.rootEpsilon = rootEpsilon.data();
  row.charge = charge.data();
  row.include = include.data();
  row.end = count;
  row.lennardJones = lennardJones;
  row.coulomb = coulomb;
  row.gx = partners.x.data();
  row.gy = partners.y.data();
  row.gz = partners.z.data();
  for (uint32_t i = chunks.Begin(chunk); i < chunks.End(chunk) && i + 1 < count; ++i) {
    const std::span<const int32_t> excluded{later.data() + laterStart[i],
                                            later.data() + laterStart[i + 1]};
    for (int32_t j : excluded) include[j] = 0;
    row.begin = i + 1;
    row.px = x[i];
    row.py = y[i];
    row.pz = z[i];
    row.ownHalfSigma = halfSigma[i];
    row.lennardJonesScale = lennardJonesStiffness * 4.0 * rootEpsilon[i];
    row.coulombScale = coulombStiffness * charge[i];
    PairGradientSums sums;
    RunPairGradientKernel(row, sums);
    for (int32_t j : excluded) include[j] = ~uint64_t{0};
    rowEnergy[i] = sums.lennardJones + sums.coulomb;
    partners.x[i] += sums.gx;
    partners.y[i] += sums.gy;
    partners.z[i] += sums.gz;
    // The hook draws; only the thread that owns the run may call it.
    if (slot == 0 && progress && i % kRowsBetweenProgress == kRowsBetweenProgress - 1) progress();
  }
}

double PairColumns::Evaluate(uint32_t count, std::span<const double> positions,
                             std::span<double> gradient) {
  if (!lennardJones && !coulomb) return 0.0;
  for (uint32_t i = 0; i < count; ++i) {
    x[i] = positions[3 * i];
    y[i] = positions[3 * i + 1];
    z[i] = positions[3 * i + 2];
  }
  for (PartnerGradient& chunk : chunkGradients)
    for (auto* column : {&chunk.x, &chunk.y, &chunk.z})
      std::fill(column->begin(), column->end(), 0.0);

  const PairChunks chunks = TriangleChunks(count, kGradientChunks);
  RunChunks(pool, chunks.count,
            [&](uint32_t chunk, uint32_t slot) { EvaluateRows(chunks, chunk, slot); });
  double energy = 0.0;
  for (uint32_t i = 0; i + 1 < count; ++i) energy += rowEnergy[i];
  if (!gradient.empty()) {
    PartnerGradient& total = chunkGradients[0];
    for (uint32_t chunk = 1; chunk < chunks.count; ++chunk)
      for (uint32_t i = 0; i < count; ++i) {
        total.x[i] += chunkGradients[chunk].x[i];
        total.y[i] += chunkGradients[chunk].y[i];
        total.z[i] += chunkGradients[chunk].z[i];
      }
    for (uint32_t i = 0; i < count; ++i) {
      gradient[3 * i] += total.x[i];
      gradient[3 * i + 1] += total.y[i];
      gradient[3 * i + 2] += total.z[i];
    }
  }
  return energy;
}

}  // namespace shaping

std::vector<double> DocumentPositions(const Document& document) {
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  std::vector<double> positions(3 * static_cast<size_t>(count));
  for (uint32_t i = 0; i < count; ++i) {
    positions[3 * i] = document.atoms[i].x;
    positions[3 * i + 1] = document.atoms[i].y;
    positions[3 * i + 2] = document.atoms[i].z;
  }
  return positions;
}

EnergyModel::EnergyModel(const Document& document, const ForceFieldTables& tables, uint32_t terms,
                         shaping::PairPool* pool)
    : bonded_(std::make_unique<shaping::BondedTerms>()),
      pairs_(std::make_unique<shaping::PairColumns>()) {
  const BondTopology& topology = CurrentTopology(document);
  pairs_->pool = pool;
  count_ = topology.AtomCount();
  bonded_->Build(document, tables, topology, terms & kAllTerms);
  pairs_->Build(document, tables, topology, terms & kAllTerms);
}

EnergyModel::~EnergyModel() = default;

void EnergyModel::SetProgressHook(std::function<void()> hook) {
  pairs_->progress = std::move(hook);
}

double EnergyModel::Evaluate(std::span<const double> positions, std::span<double> gradient) {
  std::fill(gradient.begin(), gradient.end(), 0.0);
  const double bonded = bonded_->Evaluate(positions, gradient);
  return bonded + pairs_->Evaluate(count_, positions, gradient);
}

}  // namespace tf
