#include "app/AtomInfoPanel.h"

#include <algorithm>
#include <mutex>

#include "app/EditSteps.h"
#include "app/NumberReading.h"
#include "base/FixedText.h"
#include "base/NumberText.h"
#include "model/AtomTypeEditing.h"
#include "model/BondEditing.h"
#include "model/TableLookup.h"
#include "view/Graphics.h"

namespace tf {
namespace {

constexpr std::size_t kNameLength = 4;  // what Apply keeps of a name
constexpr std::size_t kTypeWordLength = 9;

std::u16string_view TypeName(const ForceFieldTables& tables, const Atom& atom) {
  const AtomType* type = AtomTypeSlot(tables, atom.atomType);
  return type ? TextView(type->name) : std::u16string_view();
}

// Atoms in use that are selected, in ascending index order.
std::vector<uint32_t> SelectedAtoms(const Document& document) {
  std::vector<uint32_t> selected;
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i)
    if (document.atoms[i].selected) selected.push_back(i);
  return selected;
}

// A file-frame coordinate text, "%.3f" of stored + origin.
std::u16string FileCoordinate(float stored, float origin) {
  return DecimalText(static_cast<double>(stored) + origin, 3);
}

bool StartsMixed(std::u16string_view text) {
  return !text.empty() && text.front() == u'*';
}

void ReadIntegerInto(int32_t& field, std::u16string_view text) {
  if (const auto value = ReadInteger(text)) field = *value;
}

void ReadFloatInto(float& field, std::u16string_view text) {
  if (const auto value = ReadDecimal(text)) field = static_cast<float>(*value);
}

// A coordinate typed in the file's frame, stored in the view's.
void ReadCoordinateInto(float& field, std::u16string_view text, float origin) {
  const auto value = ReadDecimal(text);
  if (!value) return;
  if (const auto stored = ToFloat(*value - origin)) field = *stored;
}

template <std::size_t N>
void WriteName(char16_t (&field)[N], std::u16string_view text) {
  SetText(field, text.substr(0, kNameLength));
}

std::u16string_view FirstWord(std::u16string_view text) {
  const std::size_t end = text.find_first_of(u" \t");
  return text.substr(0, std::min({end, text.size(), kTypeWordLength}));
}

char16_t FoldCase(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool LessIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return FoldCase(x) < FoldCase(y); });
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return prefix.size() <= text.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

std::u16string Cut(std::u16string_view text) {
  return std::u16string(text.substr(0, kAtomInfoTextLimit));
}

}  // namespace

int32_t FillAtomInfo(Document& document, const ForceFieldTables& tables, AtomInfoTexts& texts) {
  std::lock_guard model(document.modelLock);
  const std::u16string type = texts.type;
  texts = AtomInfoTexts{};
  texts.type = type;
  const std::vector<uint32_t> selected = SelectedAtoms(document);
  if (selected.empty()) return 0;
  const Atom& first = document.atoms[selected.front()];
  texts.name = TextView(first.name);
  texts.charge = DecimalText(first.charge, 4);
  texts.fragmentName = TextView(first.fragmentName);
  texts.fragmentNumber = IntegerText(first.fragmentNumber);
  texts.type = TypeName(tables, first);
  if (selected.size() == 1) {
    texts.id = IntegerText(first.serial);
    texts.x = FileCoordinate(first.x, document.fileOrigin.x);
    texts.y = FileCoordinate(first.y, document.fileOrigin.y);
    texts.z = FileCoordinate(first.z, document.fileOrigin.z);
    return 1;
  }
  for (std::size_t k = 1; k < selected.size(); ++k) {
    const Atom& other = document.atoms[selected[k]];
    if (TextView(other.name) != TextView(first.name)) texts.name = kMixedEntry;
    if (!(other.charge == first.charge)) texts.charge = kMixedEntry;
    if (TextView(other.fragmentName) != TextView(first.fragmentName))
      texts.fragmentName = kMixedEntry;
    if (other.fragmentNumber != first.fragmentNumber) texts.fragmentNumber = kMixedEntry;
    if (TypeName(tables, other) != TypeName(tables, first)) texts.type = kMixedEntry;
  }
  return static_cast<int32_t>(selected.size());
}

void ApplyAtomInfo(Document& document, const ForceFieldTables& tables, const AtomInfoTexts& typed,
                   const AtomInfoTexts& shown) {
  const AtomInfoTexts texts{
      Cut(typed.id),  Cut(typed.name), Cut(typed.charge),       Cut(typed.x),
      Cut(typed.y),   Cut(typed.z),    Cut(typed.fragmentName), Cut(typed.fragmentNumber),
      Cut(typed.type)};
  // A field is written only when its text is not the one the panel showed.
  const auto edited = [](const std::u16string& text, const std::u16string& before) {
    return text != before.substr(0, kAtomInfoTextLimit);
  };
  const bool id = edited(texts.id, shown.id), name = edited(texts.name, shown.name),
             charge = edited(texts.charge, shown.charge), x = edited(texts.x, shown.x),
             y = edited(texts.y, shown.y), z = edited(texts.z, shown.z),
             fragmentName = edited(texts.fragmentName, shown.fragmentName),
             fragmentNumber = edited(texts.fragmentNumber, shown.fragmentNumber);
  std::vector<uint32_t> retype;
  const std::u16string_view word = FirstWord(texts.type);
  {
    std::lock_guard model(document.modelLock);
    const std::vector<uint32_t> selected = SelectedAtoms(document);
    if (selected.size() == 1) {
      Atom& atom = document.atoms[selected.front()];
      if (id) ReadIntegerInto(atom.serial, texts.id);
      if (name) WriteName(atom.name, texts.name);
      if (charge) ReadFloatInto(atom.charge, texts.charge);
      if (x) ReadCoordinateInto(atom.x, texts.x, document.fileOrigin.x);
      if (y) ReadCoordinateInto(atom.y, texts.y, document.fileOrigin.y);
      if (z) ReadCoordinateInto(atom.z, texts.z, document.fileOrigin.z);
      if (fragmentName) WriteName(atom.fragmentName, texts.fragmentName);
      if (fragmentNumber) ReadIntegerInto(atom.fragmentNumber, texts.fragmentNumber);
    } else {
      for (const uint32_t i : selected) {
        Atom& atom = document.atoms[i];
        if (name && !StartsMixed(texts.name)) WriteName(atom.name, texts.name);
        if (charge && !StartsMixed(texts.charge)) ReadFloatInto(atom.charge, texts.charge);
        if (fragmentName && !StartsMixed(texts.fragmentName))
          WriteName(atom.fragmentName, texts.fragmentName);
        if (fragmentNumber && !StartsMixed(texts.fragmentNumber))
          ReadIntegerInto(atom.fragmentNumber, texts.fragmentNumber);
      }
    }
    // Retyping renames the atom and may drop bonds, so only atoms whose type
    // is not the chosen one are retyped.
    if (!StartsMixed(texts.type))
      for (const uint32_t i : selected)
        if (TypeName(tables, document.atoms[i]) != word) retype.push_back(i);
  }
  for (const uint32_t i : retype) SetAtomType(document, tables, i, word);
}

std::vector<std::u16string> AtomTypeListEntries(const ForceFieldTables& tables) {
  std::vector<std::u16string> entries;
  const uint32_t count = std::min<uint32_t>(tables.atomTypeCount, kMaxAtomTypes);
  for (uint32_t t = 0; t < count; ++t) {
    const AtomType& type = tables.atomTypes[t];
    const ChemicalType* chemical = ChemicalTypeOfAtomType(tables, static_cast<int32_t>(t));
    const std::u16string_view symbol = chemical ? TextView(chemical->symbol) : u"";
    entries.push_back(Cut(TextView(type.name)) + u" (" + Cut(symbol) + u",sp" +
                      IntegerText(type.hybridization) + u"," + Cut(TextView(type.description)) +
                      u")");
  }
  entries.emplace_back(kMixedEntry);
  std::stable_sort(entries.begin(), entries.end(), LessIgnoringCase);
  return entries;
}

AtomInfoView RefreshAtomInfo(Document& document, const ForceFieldTables& tables,
                             const std::vector<std::u16string>& entries) {
  AtomInfoView view;
  const int32_t n = FillAtomInfo(document, tables, view.texts);
  view.selectedCount = n;
  view.idAndCoordinatesEnabled = n <= 1;
  if (n > 0) {
    for (std::size_t e = 0; e < entries.size(); ++e) {
      if (StartsWithIgnoringCase(entries[e], view.texts.type)) {
        view.typeEntry = static_cast<int32_t>(e);
        break;
      }
    }
  }
  view.bondButtonEnabled = n == 2;
  if (n == 2) view.bondButtonLabel = IsSelectedPairBonded(document) ? u"Delete Bond" : u"Add Bond";
  return view;
}

void PressAtomInfoApply(Application& app, const AtomInfoTexts& typed, const AtomInfoTexts& shown) {
  const EditScope step(app);
  ApplyAtomInfo(app.document, app.tables, typed, shown);
  Redraw(app);
  SendRefreshPanels(app);
  app.desktop.FocusMainWindow();
}

void PressBondButton(Application& app) {
  const EditScope step(app);
  const std::u16string_view label = ToggleBond(app.document, app.tables);
  if (!label.empty()) app.desktop.SetBondButtonLabel(label);
  Redraw(app);
  app.desktop.FocusMainWindow();
}

}  // namespace tf
