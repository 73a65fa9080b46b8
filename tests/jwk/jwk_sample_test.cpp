// The shared symbol samples: complete loads with the counts their headers
// declare, and stable saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "formats/jwk/jwk_data.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

struct Counts {
  std::size_t lines, arcs, points, texts;
};

// Counts declared by the samples' second header line, confirmed by their sizes.
const std::map<std::string, Counts> kExpected = {
    {"dist_bkit.jwk", {22, 6, 0, 0}},
    {"dist_desk.jwk", {13, 18, 0, 0}},
};

TEST(JwkSamples, LoadCompletelyWithDeclaredCounts) {
  QUINTARO_NEEDS_SAMPLES();
  auto files = test::SampleFiles("jwk");
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    SCOPED_TRACE(path);
    TJwkData d;
    ASSERT_TRUE(TJwkData::IsJwkFile(path));
    ASSERT_TRUE(d.LoadFromFile(path)) << d.loadReport.reason;
    EXPECT_TRUE(d.loadReport.complete);
    EXPECT_TRUE(d.loadReport.notes.empty());
    auto it = kExpected.find(std::filesystem::path(path).filename().string());
    ASSERT_NE(it, kExpected.end());
    EXPECT_EQ(d.lines.size(), it->second.lines);
    EXPECT_EQ(d.arcs.size(), it->second.arcs);
    EXPECT_EQ(d.points.size(), it->second.points);
    EXPECT_EQ(d.texts.size(), it->second.texts);
    EXPECT_EQ(d.macros.fileName, path);
  }
}

TEST(JwkSamples, SaveReloadIsStable) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  for (const auto& path : test::SampleFiles("jwk")) {
    SCOPED_TRACE(path);
    TJwkData first;
    ASSERT_TRUE(first.LoadFromFile(path));
    std::string out1 = dir.File("1.jwk"), out2 = dir.File("2.jwk");
    ASSERT_TRUE(first.SaveToFile(out1)) << first.saveError;
    TJwkData second;
    ASSERT_TRUE(second.LoadFromFile(out1)) << second.loadReport.reason;
    EXPECT_TRUE(first == second);
    ASSERT_TRUE(second.SaveToFile(out2));
    EXPECT_EQ(test::ReadAll(out1), test::ReadAll(out2));

    // Against the original only the reformatted numbers of line 2 differ
    // (the samples write "4.000000" where the float form is "4").
    auto original = test::ReadAll(path), saved = test::ReadAll(out1);
    ASSERT_EQ(original.size(), saved.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
      if (i < 200 || i >= 400) {
        EXPECT_EQ(original[i], saved[i]) << "byte " << i;
      }
    }
  }
}

}  // namespace
}  // namespace quintaro
