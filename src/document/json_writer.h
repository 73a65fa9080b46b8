// A small streaming JSON writer for machine-readable output and mapping files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quintaro {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(const std::string& key);
  JsonWriter& String(const std::string& utf8);
  JsonWriter& Int(long long v);
  JsonWriter& Number(double v);
  JsonWriter& Bool(bool v);
  JsonWriter& Null();

 private:
  void Separate();
  void Raw(const std::string& s);

  std::ostream& out_;
  // One entry per open object/array: true once it holds an element.
  std::vector<bool> filled_;
  bool afterKey_ = false;
};

// The string as a JSON string literal (with quotes); invalid UTF-8 bytes
// become U+FFFD.
std::string JsonQuote(const std::string& utf8);

}  // namespace quintaro
