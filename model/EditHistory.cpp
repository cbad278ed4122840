#include "model/EditHistory.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "model/MoleculeStore.h"

namespace tf {
namespace {

bool IsIdentity(const Matrix& m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (m.m[r][c] != (r == c ? 1.0f : 0.0f)) return false;
  return true;
}

// Turns are pure rotations: the transpose undoes one.
Matrix Transposed(const Matrix& m) {
  Matrix t = m;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) t.m[r][c] = m.m[c][r];
  return t;
}

void Turn(Atom& atom, const Matrix& turn) {
  Vector3 position{atom.x, atom.y, atom.z};
  Vec3TransformCoord(&position, &position, &turn);
  atom.x = position.x;
  atom.y = position.y;
  atom.z = position.z;
}

bool SameAtom(const Atom& a, const Atom& b) {
  return std::memcmp(a.name, b.name, sizeof a.name) == 0 && a.serial == b.serial &&
         std::memcmp(a.fragmentName, b.fragmentName, sizeof a.fragmentName) == 0 &&
         a.fragmentNumber == b.fragmentNumber && a.x == b.x && a.y == b.y && a.z == b.z &&
         a.atomType == b.atomType && a.charge == b.charge;
}

}  // namespace

std::size_t DocumentState::Bytes() const {
  return sizeof(DocumentState) + atoms.capacity() * sizeof(Atom) + bonds.capacity() * sizeof(Bond) +
         filePath.capacity() * sizeof(char16_t);
}

DocumentState CaptureDocument(const MoleculeStore& store) {
  DocumentState state;
  const uint32_t atomCount = std::min(store.atomCount, kMaxAtoms);
  const uint32_t bondCount = std::min(store.bondCount, kMaxBonds);
  state.atoms.assign(store.atoms, store.atoms + atomCount);
  state.bonds.assign(store.bonds, store.bonds + bondCount);
  state.filePath.assign(store.filePath,
                        std::find(store.filePath, store.filePath + kPathCapacity, u'\0'));
  state.fileOrigin = store.fileOrigin;
  if (!IsIdentity(store.turns)) {
    const Matrix back = Transposed(store.turns);
    for (Atom& atom : state.atoms) Turn(atom, back);
  }
  return state;
}

void RestoreDocument(MoleculeStore& store, const DocumentState& state) {
  const std::size_t atomCount = std::min<std::size_t>(state.atoms.size(), kMaxAtoms);
  const std::size_t bondCount = std::min<std::size_t>(state.bonds.size(), kMaxBonds);
  std::copy_n(state.atoms.begin(), atomCount, store.atoms);
  std::copy_n(state.bonds.begin(), bondCount, store.bonds);
  store.atomCount = static_cast<uint32_t>(atomCount);
  store.bondCount = static_cast<uint32_t>(bondCount);
  store.selectedCount = 0;
  const bool turned = !IsIdentity(store.turns);
  for (uint32_t i = 0; i < store.atomCount; ++i) {
    if (turned) Turn(store.atoms[i], store.turns);
    store.selectedCount += store.atoms[i].selected != 0;
  }
  const std::size_t pathLength = std::min<std::size_t>(state.filePath.size(), kPathCapacity - 1);
  std::copy_n(state.filePath.begin(), pathLength, store.filePath);
  store.filePath[pathLength] = u'\0';
  store.fileOrigin = state.fileOrigin;
}

bool SameDocument(const DocumentState& a, const DocumentState& b) {
  if (a.atoms.size() != b.atoms.size() || a.bonds.size() != b.bonds.size() ||
      a.filePath != b.filePath || a.fileOrigin.x != b.fileOrigin.x ||
      a.fileOrigin.y != b.fileOrigin.y || a.fileOrigin.z != b.fileOrigin.z)
    return false;
  for (std::size_t i = 0; i < a.bonds.size(); ++i)
    if (a.bonds[i].atom1 != b.bonds[i].atom1 || a.bonds[i].atom2 != b.bonds[i].atom2) return false;
  return std::equal(a.atoms.begin(), a.atoms.end(), b.atoms.begin(), SameAtom);
}

void EditHistory::Record(MoleculeStore& store, DocumentState before) {
  {
    std::lock_guard model(store.modelLock);
    if (SameDocument(before, CaptureDocument(store))) return;
  }
  for (const Step& step : redo_) bytes_ -= step.state.Bytes();
  redo_.clear();
  Push(undo_, {std::move(before), current_});
  current_ = nextName_++;
}

bool EditHistory::Undo(MoleculeStore& store) {
  return Swap(store, undo_, redo_);
}
bool EditHistory::Redo(MoleculeStore& store) {
  return Swap(store, redo_, undo_);
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
}

void EditHistory::Push(std::vector<Step>& steps, Step step) {
  bytes_ += step.state.Bytes();
  steps.push_back(std::move(step));
  DropOldest();
}

bool EditHistory::Swap(MoleculeStore& store, std::vector<Step>& from, std::vector<Step>& to) {
  if (from.empty()) return false;
  Step target = std::move(from.back());
  from.pop_back();
  bytes_ -= target.state.Bytes();
  DocumentState now;
  {
    std::lock_guard render(store.renderLock);
    std::lock_guard model(store.modelLock);
    now = CaptureDocument(store);
    RestoreDocument(store, target.state);
  }
  Push(to, {std::move(now), current_});
  current_ = target.name;
  return true;
}

// The oldest undo steps go first; redo steps only once no undo step is left.
void EditHistory::DropOldest() {
  while (bytes_ > kByteLimit && !(undo_.empty() && redo_.empty())) {
    std::vector<Step>& steps = undo_.empty() ? redo_ : undo_;
    bytes_ -= steps.front().state.Bytes();
    steps.erase(steps.begin());
  }
}

}  // namespace tf
