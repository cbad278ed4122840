#include "model/EditHistory.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "model/Document.h"

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

DocumentState CaptureDocument(const Document& document, const Matrix& turns) {
  DocumentState state;
  const uint32_t atomCount = std::min(document.atomCount, kMaxAtoms);
  const uint32_t bondCount = std::min(document.bondCount, kMaxBonds);
  state.atoms.assign(document.atoms, document.atoms + atomCount);
  state.bonds.assign(document.bonds, document.bonds + bondCount);
  state.filePath.assign(document.filePath,
                        std::find(document.filePath, document.filePath + kPathCapacity, u'\0'));
  state.fileOrigin = document.fileOrigin;
  if (!IsIdentity(turns)) {
    const Matrix back = Transposed(turns);
    for (Atom& atom : state.atoms) Turn(atom, back);
  }
  return state;
}

void RestoreDocument(Document& document, const Matrix& turns, const DocumentState& state) {
  const std::size_t atomCount = std::min<std::size_t>(state.atoms.size(), kMaxAtoms);
  const std::size_t bondCount = std::min<std::size_t>(state.bonds.size(), kMaxBonds);
  std::copy_n(state.atoms.begin(), atomCount, document.atoms);
  std::copy_n(state.bonds.begin(), bondCount, document.bonds);
  document.atomCount = static_cast<uint32_t>(atomCount);
  document.bondCount = static_cast<uint32_t>(bondCount);
  document.selectedCount = 0;
  document.selectionOrderCount = 0;  // its indices may name other atoms now
  const bool turned = !IsIdentity(turns);
  for (uint32_t i = 0; i < document.atomCount; ++i) {
    if (turned) Turn(document.atoms[i], turns);
    document.selectedCount += document.atoms[i].selected != 0;
  }
  const std::size_t pathLength = std::min<std::size_t>(state.filePath.size(), kPathCapacity - 1);
  std::copy_n(state.filePath.begin(), pathLength, document.filePath);
  document.filePath[pathLength] = u'\0';
  document.fileOrigin = state.fileOrigin;
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

void EditHistory::Record(Document& document, const Matrix& turns, DocumentState before) {
  {
    std::lock_guard model(document.modelLock);
    if (SameDocument(before, CaptureDocument(document, turns))) return;
  }
  for (const Step& step : redo_) bytes_ -= step.state.Bytes();
  redo_.clear();
  Push(undo_, {std::move(before), current_});
  current_ = nextName_++;
}

bool EditHistory::Undo(Document& document, const Matrix& turns) {
  return Swap(document, turns, undo_, redo_);
}
bool EditHistory::Redo(Document& document, const Matrix& turns) {
  return Swap(document, turns, redo_, undo_);
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

bool EditHistory::Swap(Document& document, const Matrix& turns, std::vector<Step>& from,
                       std::vector<Step>& to) {
  if (from.empty()) return false;
  Step target = std::move(from.back());
  from.pop_back();
  bytes_ -= target.state.Bytes();
  DocumentState now;
  {
    std::lock_guard model(document.modelLock);
    now = CaptureDocument(document, turns);
    RestoreDocument(document, turns, target.state);
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
