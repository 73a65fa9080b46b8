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
      std::string why;
      ASSERT_TRUE(doc.Save(dir.File("first"), &why)) << why;
      ASSERT_TRUE(doc.Save(dir.File("second"), &why)) << why;
      std::vector<std::uint8_t> original = test::ReadAll(path);
      EXPECT_TRUE(test::ReadAll(dir.File("first")) == original);
      EXPECT_TRUE(test::ReadAll(dir.File("second")) == original);
      EXPECT_TRUE(doc.SaveRepairs().Empty());
    }
  }
  EXPECT_EQ(samples, 24);
}

}  // namespace
}  // namespace quintaro
