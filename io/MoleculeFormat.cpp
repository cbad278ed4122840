#include "io/MoleculeFormat.h"

#include <string>

namespace tf {
namespace {

struct Extension {
  std::u16string_view text;
  MoleculeFormat format;
};

constexpr Extension kExtensions[] = {
    {u"pdb", MoleculeFormat::kPdb},   {u"ent", MoleculeFormat::kPdb},
    {u"sdf", MoleculeFormat::kSdf},   {u"mol", MoleculeFormat::kSdf},
    {u"mol2", MoleculeFormat::kMol2}, {u"xyz", MoleculeFormat::kXyz},
    {u"cif", MoleculeFormat::kCif},   {u"mmcif", MoleculeFormat::kCif},
    {u"cml", MoleculeFormat::kCml},
};

char16_t LowerAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

std::optional<MoleculeFormat> FormatOfPath(std::u16string_view path) {
  const std::size_t dot = path.find_last_of(u'.');
  const std::size_t slash = path.find_last_of(u'/');
  if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
    return std::nullopt;
  std::u16string extension(path.substr(dot + 1));
  for (char16_t& c : extension) c = LowerAscii(c);
  for (const Extension& known : kExtensions)
    if (known.text == extension) return known.format;
  return std::nullopt;
}

bool CanWriteFormat(MoleculeFormat format) {
  return format == MoleculeFormat::kPdb || format == MoleculeFormat::kSdf ||
         format == MoleculeFormat::kMol2 || format == MoleculeFormat::kXyz;
}

std::u16string_view DefaultExtension(MoleculeFormat format) {
  for (const Extension& known : kExtensions)
    if (known.format == format) return known.text;
  return u"pdb";
}

}  // namespace tf
