#include "cli/move_spec.h"

#include <gtest/gtest.h>

namespace quintaro::cli {
namespace {

TEST(MoveSpec, ReadsHexadecimalGroupAndLayerMoves) {
  EXPECT_EQ(ParseGroupMove("2:5"), (MoveStep{2, -1, 5, -1}));
  EXPECT_EQ(ParseGroupMove("a:F"), (MoveStep{10, -1, 15, -1}));
  EXPECT_EQ(ParseLayerMove("2-3:5-0"), (MoveStep{2, 3, 5, 0}));
  EXPECT_EQ(ParseLayerMove("F-f:0-a"), (MoveStep{15, 15, 0, 10}));
  for (const char* bad : {"", "2", "2:", "G:1", "10:2", "2:5 ", "2-3:5"})
    EXPECT_FALSE(ParseGroupMove(bad)) << bad;
  for (const char* bad : {"2:5", "2-3:5-", "2-3-5-0", "2-G:5-0", "2-3:5-00"})
    EXPECT_FALSE(ParseLayerMove(bad)) << bad;
  EXPECT_EQ(Describe(MoveStep{10, 3, 5, 11}), "layer A-3 -> 5-B");
  EXPECT_EQ(Describe(MoveStep{2, -1, 12, -1}), "group 2 -> C");
}

TEST(MoveSpec, ReadsAMappingFileInOrderAndPinsItsErrors) {
  std::string error;
  auto steps = ParseMoveMap(R"( [ {"group": "2:5"}, {"layer":"1-0:1-F"} ] )", error);
  ASSERT_TRUE(steps) << error;
  EXPECT_EQ(*steps, (std::vector<MoveStep>{{2, -1, 5, -1}, {1, 0, 1, 15}}));
  EXPECT_TRUE(ParseMoveMap("[]", error)->empty());

  struct Case {
    const char* json;
    const char* error;
  } cases[] = {
      {"{}", "expected a list '[' of moves at character 1"},
      {"[{\"group\": \"2:G\"}]", "expected a valid move, not \"group\": \"2:G\" at character 12"},
      {"[{\"grp\": \"2:5\"}]", "expected a rule, not \"grp\" at character 2"},
      {"[{\"group\": \"2:5\"} {\"group\": \"1:2\"}]", "expected ',' or ']' at character 19"},
      {"[{\"group\": \"2:5\"}] x", "expected the end of the file at character 20"},
      {"[{\"group\": 2}]", "expected a string as the value of \"group\" at character 12"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(ParseMoveMap(c.json, error)) << c.json;
    EXPECT_EQ(error, c.error) << c.json;
  }
}

}  // namespace
}  // namespace quintaro::cli
