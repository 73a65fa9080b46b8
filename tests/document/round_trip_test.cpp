// Every shared sample comes back byte for byte after a load and a save,
// and a second save writes what the first did.
#include <gtest/gtest.h>

#include <functional>

#include "document/demo_drawing.h"
#include "document/document.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

TEST(RoundTrip, EverySampleComesBackByteIdenticalAndStaysSo) {
  QUINTARO_NEEDS_SAMPLES();
  int samples = 0;
  for (const char* folder : {"jww", "jws", "jwk"}) {
    for (const std::string& path : test::SampleFiles(folder)) {
      SCOPED_TRACE(path);
      ++samples;
      test::TempDir dir;
      Document doc;
      ASSERT_EQ(doc.Open(path), OpenResult::kOpened);
      ASSERT_EQ(doc.Save(dir.File("first")).error, "");
      const SaveResult second = doc.Save(dir.File("second"));
      ASSERT_EQ(second.error, "");
      std::vector<std::uint8_t> original = test::ReadAll(path);
      EXPECT_TRUE(test::ReadAll(dir.File("first")) == original);
      EXPECT_TRUE(test::ReadAll(dir.File("second")) == original);
      EXPECT_TRUE(second.repairs.Empty());
    }
  }
  EXPECT_EQ(samples, 24);
}

// Bytes after the last section are counted, and a save gives them back.
TEST(RoundTrip, TrailingBytesAreCountedAndWrittenBack) {
  test::TempDir dir;
  const std::pair<std::string, std::function<void(const std::string&)>> cases[] = {
      {"a.jww", [](const std::string& p) { MakeDemoDrawing().SaveToFile(p, 600); }},
      {"a.jws", [](const std::string& p) { MakeLargeSymbol(50).SaveToFile(p, 600); }},
      {"a.jwc", [](const std::string& p) { MakeLargeJwc(50).SaveToFile(p); }},
  };
  for (const auto& [name, write] : cases) {
    SCOPED_TRACE(name);
    write(dir.File(name));
    std::vector<std::uint8_t> bytes = test::ReadAll(dir.File(name));
    bytes.insert(bytes.end(), 300000, 0);
    bytes.back() = 7;
    test::WriteAll(dir.File(name), bytes);
    Document doc;
    ASSERT_EQ(doc.Open(dir.File(name)), OpenResult::kOpened);
    EXPECT_EQ(doc.TrailingByteCount(), 300000u);
    ASSERT_EQ(doc.Save(dir.File("out")).error, "");
    EXPECT_TRUE(test::ReadAll(dir.File("out")) == bytes);
  }
}

}  // namespace
}  // namespace quintaro
