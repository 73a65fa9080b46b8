// The shared sample drawings: in ../shared/samples beside the project, or
// in the folder QUINTARO_SAMPLES names when the tests run.
//
// A test that reads them begins with QUINTARO_NEEDS_SAMPLES() (GoogleTest)
// or QUINTARO_QT_NEEDS_SAMPLES() (Qt Test). Without the folder the test is
// skipped with one line saying so, so that a clone tests on its own; with
// CI=true it fails instead, so that CI never passes by skipping them.
#pragma once

#include <string>
#include <vector>

namespace quintaro::test {

// The folder of the samples.
std::string SamplesFolder();
// Path of a shared sample, e.g. SamplePath("jww/dist_test1.jww").
std::string SamplePath(const std::string& relative);
// Every sample file of one folder ("jww", "jws", "jwk"), sorted by name.
std::vector<std::string> SampleFiles(const std::string& folder);

// "" when the samples are there, else the line that says they are not.
std::string MissingSamples();
// True when missing samples are a failure (CI=true).
bool SamplesRequired();

}  // namespace quintaro::test

#define QUINTARO_NEEDS_SAMPLES()                                            \
  do {                                                                      \
    const std::string quintaroMissing = ::quintaro::test::MissingSamples(); \
    if (quintaroMissing.empty()) break;                                     \
    if (::quintaro::test::SamplesRequired()) FAIL() << quintaroMissing;     \
    GTEST_SKIP() << quintaroMissing;                                        \
  } while (false)

#define QUINTARO_QT_NEEDS_SAMPLES()                                          \
  do {                                                                       \
    const std::string quintaroMissing = ::quintaro::test::MissingSamples();  \
    if (quintaroMissing.empty()) break;                                      \
    if (::quintaro::test::SamplesRequired()) QFAIL(quintaroMissing.c_str()); \
    QSKIP(quintaroMissing.c_str());                                          \
  } while (false)
