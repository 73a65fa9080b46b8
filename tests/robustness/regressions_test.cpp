// Every input the fuzzers once failed on (fuzz/regressions/<target>/) opens
// without harm, and whatever opens completely saves, opens again with the
// same figures and saves the same bytes again; settings texts read, format
// and read back the same.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/document.h"
#include "hostile_open.h"
#include "settings/settings_text.h"

namespace quintaro {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> out;
  fs::path dir = fs::path(QUINTARO_FUZZ_REGRESSIONS) / target;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.is_regular_file()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

TEST(FuzzRegressions, DrawingsOpenAndWhatOpensSavesAndReopens) {
  std::size_t seen = 0;
  for (const char* target : {"jww", "jws", "jwc", "jwk"}) {
    for (const fs::path& input : Inputs(target)) {
      SCOPED_TRACE(input.string());
      ++seen;
      test::HostileOpen h;
      OpenResult r = h.Open(test::ReadAll(input), "input");
      EXPECT_LE(h.heapPeak, test::HeapBound(fs::file_size(input)));
      if (r != OpenResult::kOpened) continue;
      std::string saved = h.dir.File(std::string("saved.") + target);
      if (!h.doc.Save(saved).Ok()) continue;  // a drawing the writer refuses: nothing written
      Document back;
      ASSERT_EQ(back.Open(saved), OpenResult::kOpened) << back.LoadProblem();
      EntityCounts a = h.doc.Counts(), b = back.Counts();
      EXPECT_EQ(a.lines + a.arcs + a.texts + a.points + a.temporaryPoints,
                b.lines + b.arcs + b.texts + b.points + b.temporaryPoints);
      std::string again = h.dir.File(std::string("again.") + target);
      ASSERT_EQ(back.Save(again).error, "");
      EXPECT_EQ(test::ReadAll(again), test::ReadAll(saved));
    }
  }
  for (const fs::path& input : Inputs("settings")) {
    SCOPED_TRACE(input.string());
    ++seen;
    auto bytes = test::ReadAll(input);
    AppSettings first = ParseSettings(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(ParseSettings(FormatSettings(first)), first);
  }
  if (seen == 0) GTEST_SKIP() << "no fuzz regression inputs yet";
}

}  // namespace
}  // namespace quintaro
