#include "view/gl/FontFaces.h"

#include <fontconfig/fontconfig.h>

#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <optional>

namespace tf {

namespace {

constexpr double kMaxPixelsPerEm = 1024;
constexpr int32_t kDefaultCellHeight = 16;

struct FontFile {
  std::string path;
  int index = 0;
};

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    // Face names are plain names; anything outside ASCII cannot name an installed family here.
    out.push_back(c < 0x80 && c != 0 ? static_cast<char>(c) : '?');
  }
  return out;
}

std::optional<FontFile> MatchFont(const std::string& family, uint32_t weight, bool italic) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return std::nullopt;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(
      pattern, FC_WEIGHT,
      FcWeightFromOpenType(static_cast<int>(std::clamp<uint32_t>(weight, 1, 1000))));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return std::nullopt;
  std::optional<FontFile> found;
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    found = FontFile{reinterpret_cast<const char*>(file), index};
  }
  FcPatternDestroy(match);
  return found;
}

// Average advance in font units, weighted by English letter frequencies the
// way TrueType fonts used to define their average width (and Windows still
// scales by); 0 when the face lacks a letter.
long WeightedAverageWidth(FT_Face face) {
  static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                       56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
  long total = 0;
  for (int i = 0; i <= 26; ++i) {
    const char32_t c = i < 26 ? U'a' + i : U' ';
    const FT_UInt glyph = FT_Get_Char_Index(face, c);
    FT_Fixed advance = 0;
    if (glyph == 0 || FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance) != 0) return 0;
    total += advance * (i < 26 ? kWeights[i] : 166);
  }
  return total / 1000;
}

}  // namespace

FontFace::FontFace(FT_Face face, int cellHeight, int ascent)
    : face_(face), cellHeight_(cellHeight), ascent_(ascent) {}

FontFace::~FontFace() {
  FT_Done_Face(face_);
}

bool FontFace::Render(char32_t c, GlyphImage* image) {
  const FT_UInt glyph = FT_Get_Char_Index(face_, c);
  if (FT_Load_Glyph(face_, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return false;
  const FT_GlyphSlot slot = face_->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
      bitmap.rows != 0)
    return false;
  image->width = static_cast<int>(bitmap.width);
  image->height = static_cast<int>(bitmap.rows);
  image->left = slot->bitmap_left;
  image->top = slot->bitmap_top;
  image->advance = static_cast<int>((slot->advance.x + 32) >> 6);
  image->coverage.assign(size_t{bitmap.width} * bitmap.rows, 0);
  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    for (unsigned x = 0; x < bitmap.width; ++x) {
      const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
      const uint8_t value = mono ? ((row[x / 8] >> (7 - x % 8)) & 1) * 255 : row[x];
      image->coverage[size_t{y} * bitmap.width + x] = value;
    }
  }
  return true;
}

FontLibrary::FontLibrary() {
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  fontconfigReady_ = FcInit() == FcTrue;
}

FontLibrary::~FontLibrary() {
  faces_.clear();
  if (library_) FT_Done_FreeType(library_);
}

FontFace* FontLibrary::Face(const FontDescription& description, double scale) {
  const Key key{description.faceName, description.height, description.width,
                description.weight,   description.italic, scale};
  auto found = faces_.find(key);
  if (found == faces_.end()) found = faces_.emplace(key, Open(description, scale)).first;
  return found->second.get();
}

std::unique_ptr<FontFace> FontLibrary::Open(const FontDescription& description, double scale) {
  if (library_ == nullptr || !fontconfigReady_ || !(scale > 0) || !std::isfinite(scale))
    return nullptr;
  const uint32_t weight = description.weight ? description.weight : 400;
  FT_Face face = nullptr;
  for (const std::string& family : {Utf8(description.faceName), std::string("sans-serif")}) {
    const std::optional<FontFile> file = MatchFont(family, weight, description.italic);
    if (file && FT_New_Face(library_, file->path.c_str(), file->index, &face) == 0) {
      if (FT_IS_SCALABLE(face)) break;
      FT_Done_Face(face);
    }
    face = nullptr;
  }
  if (face == nullptr) return nullptr;

  const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  double ascentUnits = face->ascender;
  double cellUnits = static_cast<double>(face->ascender) - face->descender;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    ascentUnits = os2->usWinAscent;
    cellUnits = os2->usWinAscent + os2->usWinDescent;
  }
  if (!(cellUnits > 0)) cellUnits = unitsPerEm;

  // A positive height is the cell, a negative one the em; 0 asks for a default.
  double pixelsPerEmY;
  if (description.height > 0)
    pixelsPerEmY = description.height * unitsPerEm / cellUnits;
  else if (description.height < 0)
    pixelsPerEmY = -static_cast<double>(description.height);
  else
    pixelsPerEmY = kDefaultCellHeight * unitsPerEm / cellUnits;
  pixelsPerEmY = std::clamp(pixelsPerEmY * scale, 1.0, kMaxPixelsPerEm);
  double pixelsPerEmX = pixelsPerEmY;
  if (description.width > 0) {
    long averageUnits = WeightedAverageWidth(face);
    if (averageUnits <= 0) {
      if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
        averageUnits = os2->xAvgCharWidth;
    }
    if (averageUnits > 0)
      pixelsPerEmX =
          std::clamp(description.width * unitsPerEm / averageUnits * scale, 1.0, kMaxPixelsPerEm);
  }
  if (FT_Set_Char_Size(face, std::lround(pixelsPerEmX * 64), std::lround(pixelsPerEmY * 64), 72,
                       72) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  const int cellHeight =
      std::max(1, static_cast<int>(std::lround(cellUnits * pixelsPerEmY / unitsPerEm)));
  const int ascent = static_cast<int>(std::lround(ascentUnits * pixelsPerEmY / unitsPerEm));
  return std::make_unique<FontFace>(face, cellHeight, ascent);
}

}  // namespace tf
