// simq on systems with known solutions and on each of its three failures.

#include "charges/LinearSolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tf {
namespace {

struct Outcome {
  int code;
  std::vector<double> x;
  std::string printed;
};

Outcome Solve(std::vector<double> a, const std::vector<double>& b) {
  const int n = static_cast<int>(b.size());
  std::vector<double> x(n, -99.0);
  std::vector<int> order(n);
  testing::internal::CaptureStdout();
  const int code = simq(a.data(), b.data(), x.data(), n, order.data());
  return {code, x, testing::internal::GetCapturedStdout()};
}

TEST(Simq, SolvesSystemsThatNeedPivoting) {
  // Solution (1, -2, 3); the first pivot candidate is 0.
  const Outcome three = Solve({0, 2, 1, 1, 1, 1, 4, -1, 2}, {-1, 2, 12});
  ASSERT_EQ(three.code, 0);
  EXPECT_NEAR(three.x[0], 1.0, 1e-12);
  EXPECT_NEAR(three.x[1], -2.0, 1e-12);
  EXPECT_NEAR(three.x[2], 3.0, 1e-12);
  EXPECT_EQ(three.printed, "");

  // Badly scaled rows: scaled pivoting still gives x = (1, 1).
  const Outcome scaled = Solve({1e-8, 1, 1, 1}, {1 + 1e-8, 2});
  ASSERT_EQ(scaled.code, 0);
  EXPECT_NEAR(scaled.x[0], 1.0, 1e-9);
  EXPECT_NEAR(scaled.x[1], 1.0, 1e-9);

  const Outcome one = Solve({4}, {2});
  EXPECT_EQ(one.code, 0);
  EXPECT_DOUBLE_EQ(one.x[0], 0.5);
}

TEST(Simq, LeavesTheRightHandSideAlone) {
  std::vector<double> a = {2, 1, 1, 3}, b = {3, 5}, x(2);
  std::vector<int> order(2);
  ASSERT_EQ(simq(a.data(), b.data(), x.data(), 2, order.data()), 0);
  EXPECT_EQ(b, (std::vector<double>{3, 5}));
  EXPECT_NEAR(x[0], 0.8, 1e-12);
  EXPECT_NEAR(x[1], 1.4, 1e-12);
}

TEST(Simq, ReportsEachFailureOnStandardOutput) {
  const Outcome zeroRow = Solve({1, 2, 0, 0}, {1, 1});
  EXPECT_EQ(zeroRow.code, 1);
  EXPECT_EQ(zeroRow.printed, "SIMQ ROWNRM=0\n");

  const Outcome noPivot = Solve({1, 2, 3, 2, 4, 7, 1, 2, 5}, {1, 1, 1});
  EXPECT_EQ(noPivot.code, 2);
  EXPECT_EQ(noPivot.printed, "SIMQ BIG=0\n");

  const Outcome lastPivot = Solve({1, 1, 1, 1}, {1, 2});
  EXPECT_EQ(lastPivot.code, 3);
  EXPECT_EQ(lastPivot.printed, "SIMQ A[kpn]=0\n");
}

}  // namespace
}  // namespace tf
