// A small JSON reader for mapping files: the whole text into a tree of
// values, each remembering where it started so that errors can say where.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quintaro {

// An object's member; declared ahead so that JsonValue can hold a list of them.
struct JsonMember;

struct JsonValue {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;  // in file order
  std::size_t offset = 0;           // 0-based position of the value's first character

  // The member of that key (the first one), or null.
  const JsonValue* Find(std::string_view key) const;
};

struct JsonMember {
  std::string first;  // the key
  JsonValue second;
};

// Parses the whole text, which must be UTF-8 (a leading byte-order mark is
// skipped). On malformed input returns nothing and sets `error` to what was expected and
// where ("expected ',' or ']' at character 19"). Nesting deeper than 64
// levels is refused.
std::optional<JsonValue> ParseJson(std::string_view text, std::string& error);

}  // namespace quintaro
