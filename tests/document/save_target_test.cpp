#include "document/save_target.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quintaro {
namespace {

TEST(SaveTarget, RefusesTheOpenedFileAndAnotherFormatsExtension) {
  test::TempDir dir;
  std::string plan = dir.File("plan.jww");
  test::WriteAll(plan, {1});
  EXPECT_TRUE(SaveTargetProblem(plan, dir.File("PLAN.JWW"), DocFormat::kJww));
  EXPECT_TRUE(SaveTargetProblem(plan, dir.Path() + "/./sub/../plan.jww", DocFormat::kJww));
  EXPECT_TRUE(SaveTargetProblem(plan, dir.File("_plan.jwc"), DocFormat::kJww));
  EXPECT_TRUE(SaveTargetProblem(plan, dir.File("_plan"), DocFormat::kJww));
  EXPECT_FALSE(SaveTargetProblem(plan, dir.File("_plan.JwW"), DocFormat::kJww));
  EXPECT_FALSE(SaveTargetProblem(plan, dir.File("_plan.jwc"), DocFormat::kJwc));
}

// Where names differ by case only they are two files, unless they are one.
TEST(SaveTarget, ComparesByIdentityWhereCaseIsSignificant) {
#ifdef _WIN32
  GTEST_SKIP() << "name case is not significant on Windows";
#endif
  test::TempDir dir;
  std::string plan = dir.File("plan.jww");
  test::WriteAll(plan, {1});
  std::filesystem::create_hard_link(plan, dir.File("other.jww"));
  const NameCase s = NameCase::kSignificant;
  EXPECT_FALSE(SaveTargetProblem(plan, dir.File("PLAN.JWW"), DocFormat::kJww, s));
  EXPECT_TRUE(SaveTargetProblem(plan, dir.File("other.jww"), DocFormat::kJww, s));
  EXPECT_TRUE(SaveTargetProblem(plan, dir.Path() + "/./plan.jww", DocFormat::kJww, s));
}

TEST(SaveTarget, KeepsTheOldTargetUnderItsBackupNameAndInPlace) {
  EXPECT_EQ(BackupNameOf("/d/_plan.jww"), "/d/_plan._JWW");
  EXPECT_EQ(BackupNameOf("x.Jwk"), "x._JWK");
  test::TempDir dir;
  std::string target = dir.File("_plan.jww");
  test::WriteAll(target, {1, 2});
  test::WriteAll(dir.File("_plan._JWW"), {9});
  std::string why;
  ASSERT_TRUE(BackUpExisting(target, &why)) << why;
  EXPECT_EQ(test::ReadAll(dir.File("_plan._JWW")), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(test::ReadAll(target), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_FALSE(BackUpExisting(dir.File("missing.jww"), &why));
  EXPECT_NE(why.find("missing.jww"), std::string::npos);
}

}  // namespace
}  // namespace quintaro
