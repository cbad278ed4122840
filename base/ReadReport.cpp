#include "base/ReadReport.h"

#include <algorithm>

namespace tf {

LineProblem ProblemAt(std::string_view file, std::string_view text, std::size_t position,
                      std::string_view reason) {
  position = std::min(position, text.size());
  const int64_t line = 1 + std::count(text.begin(), text.begin() + position, '\n');
  std::size_t start = 0;
  if (position > 0) {
    const std::size_t newline = text.rfind('\n', position - 1);
    if (newline != std::string_view::npos) start = newline + 1;
  }
  std::size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string_view lineText = text.substr(start, end - start);
  if (!lineText.empty() && lineText.back() == '\r') lineText.remove_suffix(1);
  return {std::string(file), line, std::string(reason),
          std::string(lineText.substr(0, kProblemTextLimit))};
}

std::string DescribeProblem(const LineProblem& problem) {
  if (problem.line == 0) return problem.file + ": " + problem.reason;
  return problem.file + ":" + std::to_string(problem.line) + ": " + problem.reason + ": " +
         problem.text;
}

}  // namespace tf
