#include "document/format_facts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "document/demo_drawing.h"
#include "document/document.h"
#include "formats/common/file_io.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

// A file of each format starts with that format's magic, passes its
// signature check, is detected as that format and is named by its extension.
TEST(FormatFacts, AgreeWithFilesOfTheirFormat) {
  QUINTARO_NEEDS_SAMPLES();
  test::TempDir dir;
  Document jwc;
  jwc.Adopt(MakeLargeJwc(10));
  ASSERT_TRUE(jwc.Save(dir.File("drawing.jwc")).Ok());
  const std::pair<DocFormat, std::string> files[] = {
      {DocFormat::kJwc, dir.File("drawing.jwc")},
      {DocFormat::kJwk, test::SamplePath("jwk/dist_desk.jwk")},
      {DocFormat::kJww, test::SamplePath("jww/dist_test1.jww")},
      {DocFormat::kJws, test::SamplePath("jws/dist_desk.jws")},
  };
  for (const auto& [format, path] : files) {
    const FormatFacts* facts = FactsOf(format);
    ASSERT_NE(facts, nullptr) << path;
    EXPECT_EQ(DetectFormat(path), format) << path;
    EXPECT_TRUE(FileStartsWith(path, facts->magic)) << path;
    EXPECT_TRUE(facts->isFile(path)) << path;
    EXPECT_EQ(FactsOfExtension(std::filesystem::path(path).extension().string()), facts) << path;
  }
}

TEST(FormatFacts, ExtensionsNameTheirFormatInAnyCase) {
  const std::pair<const char*, DocFormat> cases[] = {
      {".jww", DocFormat::kJww},    {"JWS", DocFormat::kJws},       {".JwC", DocFormat::kJwc},
      {"jwk", DocFormat::kJwk},     {".txt", DocFormat::kUnknown},  {"", DocFormat::kUnknown},
      {".jw", DocFormat::kUnknown}, {"..jww", DocFormat::kUnknown}, {".jwww", DocFormat::kUnknown},
  };
  for (const auto& [extension, want] : cases) {
    const FormatFacts* facts = FactsOfExtension(extension);
    EXPECT_EQ(facts ? facts->format : DocFormat::kUnknown, want) << extension;
  }
}

}  // namespace
}  // namespace quintaro
