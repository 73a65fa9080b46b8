#include "cli/move_spec.h"

#include <cctype>

namespace quintaro::cli {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char HexChar(int v) { return "0123456789ABCDEF"[v & 15]; }

// A tiny reader for the mapping file's subset of JSON.
class MapReader {
 public:
  explicit MapReader(const std::string& s) : s_(s) {}

  std::optional<std::vector<MoveStep>> Read(std::string& error) {
    std::vector<MoveStep> steps;
    if (!Expect('[')) return Fail(error, "a list '[' of moves");
    if (Peek() == ']') return ++pos_, End(steps, error);
    for (;;) {
      auto step = ReadStep(error);
      if (!step) return std::nullopt;
      steps.push_back(*step);
      if (Expect(',')) continue;
      if (Expect(']')) return End(steps, error);
      return Fail(error, "',' or ']'");
    }
  }

 private:
  std::optional<MoveStep> ReadStep(std::string& error) {
    std::string key, value;
    if (!Expect('{') || !ReadString(key) || !Expect(':') || !ReadString(value) || !Expect('}')) {
      Fail(error, "an object like {\"group\": \"2:5\"} or {\"layer\": \"2-3:5-0\"}");
      return std::nullopt;
    }
    std::optional<MoveStep> step;
    if (key == "group") step = ParseGroupMove(value);
    if (key == "layer") step = ParseLayerMove(value);
    if (!step) Fail(error, "a valid move, not \"" + key + "\": \"" + value + "\"");
    return step;
  }

  std::optional<std::vector<MoveStep>> End(std::vector<MoveStep>& steps, std::string& error) {
    if (Peek() != '\0') return Fail(error, "the end of the file");
    return steps;
  }

  std::nullopt_t Fail(std::string& error, const std::string& what) {
    if (error.empty()) error = "expected " + what + " at character " + std::to_string(pos_ + 1);
    return std::nullopt;
  }

  char Peek() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    return pos_ < s_.size() ? s_[pos_] : '\0';
  }

  bool Expect(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  // Plain strings only: the values are keys and hexadecimal moves.
  bool ReadString(std::string& out) {
    if (!Expect('"')) return false;
    while (pos_ < s_.size() && s_[pos_] != '"') {
      if (s_[pos_] == '\\' || static_cast<unsigned char>(s_[pos_]) < 0x20) return false;
      out += s_[pos_++];
    }
    if (pos_ >= s_.size()) return false;
    ++pos_;
    return true;
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<MoveStep> ParseGroupMove(const std::string& text) {
  if (text.size() != 3 || text[1] != ':') return std::nullopt;
  int s = HexDigit(text[0]), d = HexDigit(text[2]);
  if (s < 0 || d < 0) return std::nullopt;
  return MoveStep{s, -1, d, -1};
}

std::optional<MoveStep> ParseLayerMove(const std::string& text) {
  if (text.size() != 7 || text[1] != '-' || text[3] != ':' || text[5] != '-') return std::nullopt;
  int sg = HexDigit(text[0]), sl = HexDigit(text[2]), dg = HexDigit(text[4]),
      dl = HexDigit(text[6]);
  if (sg < 0 || sl < 0 || dg < 0 || dl < 0) return std::nullopt;
  return MoveStep{sg, sl, dg, dl};
}

std::string Describe(const MoveStep& step) {
  if (step.IsGroupMove())
    return std::string("group ") + HexChar(step.srcGroup) + " -> " + HexChar(step.dstGroup);
  return std::string("layer ") + HexChar(step.srcGroup) + "-" + HexChar(step.srcLayer) + " -> " +
         HexChar(step.dstGroup) + "-" + HexChar(step.dstLayer);
}

std::optional<std::vector<MoveStep>> ParseMoveMap(const std::string& json, std::string& error) {
  error.clear();
  return MapReader(json).Read(error);
}

}  // namespace quintaro::cli
