// Every shared sample comes back byte for byte after a load and a save,
// and a second save writes what the first did.
#include <gtest/gtest.h>

#include "document/document.h"
#include "support/temp_dir.h"

namespace quintaro {
namespace {

TEST(RoundTrip, EverySampleComesBackByteIdenticalAndStaysSo) {
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

}  // namespace
}  // namespace quintaro
