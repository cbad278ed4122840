#pragma once
// The About box's texts. The box itself is the desktop's (ShowAboutBox); its
// link opens the manual that is installed beside the program.

namespace tf {

inline constexpr char16_t kAboutProductLine[] = u"Tessaform 1.3";
inline constexpr char16_t kAboutReleaseLine[] = u"Released 2025";
inline constexpr char16_t kAboutAuthorsLine[] = u"By the Tessaform developers";
inline constexpr char16_t kAboutManualLink[] = u"The Tessaform manual";

}  // namespace tf
