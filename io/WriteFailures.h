#pragma once
// The one question a save asks before it writes each file: whether the
// writing is to fail partway, as on a full disk. The program never fails a
// write on purpose: its definition answers false. Tests link their own answer
// (tests/support/FailureSwitches) to drive saves through their failure paths.

#include <string_view>

namespace tf {

// `path` is UTF-8, as staged.
bool WriteFails(std::string_view path);

}  // namespace tf
