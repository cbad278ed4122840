#pragma once
// The About box's texts and the address behind its link. The box itself is
// the desktop's (ShowAboutBox); a click on the link opens the address with
// DesktopShell::OpenLink.

namespace tf {

inline constexpr char16_t kAboutProductLine[] = u"Tessaform 1.3";
inline constexpr char16_t kAboutReleaseLine[] = u"Released 2025";
inline constexpr char16_t kAboutAuthorsLine[] = u"By the Tessaform developers";
// A placeholder under a reserved domain until the project publishes its site.
inline constexpr char16_t kProductWebSite[] = u"https://tessaform.example.org/";

}  // namespace tf
