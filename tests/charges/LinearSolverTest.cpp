// The charge model's solver on systems with known solutions and on each of
// its three failures, which it returns without printing anything.

#include "charges/LinearSolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

struct Outcome {
  SolveFailure failure;
  std::vector<double> x;
  std::string printed;
};

Outcome Solve(std::vector<double> a, const std::vector<double>& b) {
  const int n = static_cast<int>(b.size());
  std::vector<double> x(n, -99.0);
  std::vector<int> order(n);
  testing::internal::CaptureStdout();
  const SolveFailure failure = SolveLinearSystem(a.data(), b.data(), x.data(), n, order.data());
  return {failure, x, testing::internal::GetCapturedStdout()};
}

TEST(LinearSolver, SolvesSystemsThatNeedPivoting) {
  // Solution (1, -2, 3); the first pivot candidate is 0.
  const Outcome three = Solve({0, 2, 1, 1, 1, 1, 4, -1, 2}, {-1, 2, 12});
  ASSERT_EQ(three.failure, SolveFailure::kNone);
  EXPECT_NEAR(three.x[0], 1.0, 1e-12);
  EXPECT_NEAR(three.x[1], -2.0, 1e-12);
  EXPECT_NEAR(three.x[2], 3.0, 1e-12);

  // Badly scaled rows: scaled pivoting still gives x = (1, 1).
  const Outcome scaled = Solve({1e-8, 1, 1, 1}, {1 + 1e-8, 2});
  ASSERT_EQ(scaled.failure, SolveFailure::kNone);
  EXPECT_NEAR(scaled.x[0], 1.0, 1e-9);
  EXPECT_NEAR(scaled.x[1], 1.0, 1e-9);

  const Outcome one = Solve({4}, {2});
  EXPECT_EQ(one.failure, SolveFailure::kNone);
  EXPECT_DOUBLE_EQ(one.x[0], 0.5);
}

TEST(LinearSolver, LeavesTheRightHandSideAlone) {
  std::vector<double> a = {2, 1, 1, 3}, b = {3, 5}, x(2);
  std::vector<int> order(2);
  ASSERT_EQ(SolveLinearSystem(a.data(), b.data(), x.data(), 2, order.data()), SolveFailure::kNone);
  EXPECT_EQ(b, (std::vector<double>{3, 5}));
  EXPECT_NEAR(x[0], 0.8, 1e-12);
  EXPECT_NEAR(x[1], 1.4, 1e-12);
}

TEST(LinearSolver, ReturnsEachFailureAndPrintsNothing) {
  const Outcome zeroRow = Solve({1, 2, 0, 0}, {1, 1});
  EXPECT_EQ(zeroRow.failure, SolveFailure::kZeroRow);
  const Outcome noPivot = Solve({1, 2, 3, 2, 4, 7, 1, 2, 5}, {1, 1, 1});
  EXPECT_EQ(noPivot.failure, SolveFailure::kNoPivot);
  const Outcome lastPivot = Solve({1, 1, 1, 1}, {1, 2});
  EXPECT_EQ(lastPivot.failure, SolveFailure::kZeroLastPivot);
  for (const Outcome* outcome : {&zeroRow, &noPivot, &lastPivot}) EXPECT_EQ(outcome->printed, "");
}

}  // namespace
}  // namespace tf
