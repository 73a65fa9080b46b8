#include "document/json_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "formats/common/text.h"

namespace quintaro {

namespace {}  // namespace

std::string JsonQuote(const std::string& utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    std::size_t n = Utf8SequenceLength(utf8, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (n > 1) {
      out.append(utf8, i, n);
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
    i += n;
  }
  return out + "\"";
}

void JsonWriter::Raw(const std::string& s) {
  out_ << s;
}

void JsonWriter::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!filled_.empty()) {
    if (filled_.back()) out_ << ", ";
    filled_.back() = true;
  }
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  out_ << '{';
  filled_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  out_ << '}';
  filled_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  out_ << '[';
  filled_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  out_ << ']';
  filled_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::Key(const std::string& key) {
  Separate();
  out_ << JsonQuote(key) << ": ";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(const std::string& utf8) {
  Separate();
  out_ << JsonQuote(utf8);
  return *this;
}

JsonWriter& JsonWriter::Int(long long v) {
  Separate();
  out_ << v;
  return *this;
}

JsonWriter& JsonWriter::Number(double v) {
  Separate();
  if (!std::isfinite(v)) {
    out_ << "null";  // JSON has no NaN or infinity
    return *this;
  }
  char buf[40];
  if (v == std::trunc(v) && std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.0f", v);  // whole numbers without an exponent
  } else {
    // The shortest form that reads back to the same double.
    for (int prec = 1; prec <= 17; ++prec) {
      std::snprintf(buf, sizeof buf, "%.*g", prec, v);
      if (std::strtod(buf, nullptr) == v) break;
    }
  }
  out_ << buf;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool v) {
  Separate();
  out_ << (v ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Separate();
  out_ << "null";
  return *this;
}

}  // namespace quintaro
