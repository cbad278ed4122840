#pragma once
// What a reader says about the file it read: whether it could read it, where
// and why it stopped early, and the lines it skipped. Readers only report;
// the window and the command line decide how to tell the user.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf {

// One place in a file.
struct LineProblem {
  std::string file;    // the path as UTF-8
  int64_t line = 0;    // 1 for the first line; 0 when the problem is the whole file
  std::string reason;  // "cannot be opened", "number cannot be read", ...
  std::string text;    // the line without its line end, at most kProblemTextLimit bytes
};

inline constexpr std::size_t kProblemTextLimit = 200;

struct ReadReport {
  // False when the file could not be read at all; `failure` says why.
  bool read = true;
  std::optional<LineProblem> failure;
  // The reading of records ended early at this line; what came before it
  // was kept.
  std::optional<LineProblem> stopped;
  bool atomLimitReached = false;  // the document filled up before the file ended
  // Files of other formats: how many molecules the file holds (0 when not
  // counted), and what of the opened one did not fit the document.
  uint32_t moleculesInFile = 0;
  uint32_t atomsLeftOut = 0;
  uint32_t bondsLeftOut = 0;
  std::vector<LineProblem> warnings;  // lines skipped, reading went on; the first kWarningLimit
  int64_t warningsLeftOut = 0;        // skipped lines past kWarningLimit

  static constexpr std::size_t kWarningLimit = 100;

  void Warn(LineProblem problem) {
    if (warnings.size() < kWarningLimit) {
      warnings.push_back(std::move(problem));
    } else {
      ++warningsLeftOut;
    }
  }
  explicit operator bool() const { return read; }

  void Fail(LineProblem problem) {
    read = false;
    failure = std::move(problem);
  }
};

// The problem at byte `position` of `text`: its line number and the line.
LineProblem ProblemAt(std::string_view file, std::string_view text, std::size_t position,
                      std::string_view reason);

// "FILE:LINE: reason: text", or "FILE: reason" for a whole-file problem.
std::string DescribeProblem(const LineProblem& problem);

}  // namespace tf
