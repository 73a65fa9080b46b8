#include <gtest/gtest.h>

#include <sstream>

#include "document/json_writer.h"

namespace quintaro::cli {
namespace {

TEST(Json, WritesNestedValuesWithSeparatorsAndSafeStrings) {
  std::ostringstream o;
  JsonWriter j(o);
  j.BeginObject().Key("a").BeginArray().Int(1).Number(0.1).Number(100.0).EndArray();
  j.Key("s").String("\"x\\\n\x01 \xE5\xA3\x81").Key("bad").String("A\x95").Key("n").Null();
  j.Key("inf").Number(1.0 / 0.0).Key("t").Bool(true).EndObject();
  EXPECT_EQ(o.str(),
            "{\"a\": [1, 0.1, 100], \"s\": \"\\\"x\\\\\\u000a\\u0001 \xE5\xA3\x81\", "
            "\"bad\": \"A\xEF\xBF\xBD\", \"n\": null, \"inf\": null, \"t\": true}");
}

}  // namespace
}  // namespace quintaro::cli
