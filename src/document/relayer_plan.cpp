#include "document/relayer_plan.h"

#include <sstream>

#include "document/json_reader.h"
#include "document/json_writer.h"

namespace quintaro {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char HexChar(int v) {
  return "0123456789ABCDEF"[v & 15];
}

// "S:D" with both sides read by `side`.
template <class Side>
std::optional<RelayerRule> Pair(std::string_view text, RuleKind kind, Side side) {
  std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  auto from = side(text.substr(0, colon));
  auto to = side(text.substr(colon + 1));
  if (!from || !to) return std::nullopt;
  RelayerRule r;
  r.from = *from;
  r.to = *to;
  r.kind = kind;
  return r;
}

std::optional<RelayerRule> NameRule(std::string_view text, RuleKind kind,
                                    std::optional<LayerRef> (*target)(std::string_view)) {
  std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  auto to = target(text.substr(colon + 1));
  if (!to) return std::nullopt;
  RelayerRule r;
  r.kind = kind;
  r.to = *to;
  r.pattern = std::string(text.substr(0, colon));
  return r;
}

std::optional<RelayerRule> Rename(std::string_view text, RuleKind kind,
                                  std::optional<LayerRef> (*target)(std::string_view)) {
  std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  auto ref = target(text.substr(0, eq));
  if (!ref) return std::nullopt;
  RelayerRule r;
  r.kind = kind;
  r.from = *ref;
  r.name = std::string(text.substr(eq + 1));
  return r;
}

std::string Quoted(const std::string& s) {
  return "\"" + s + "\"";
}

// One rule object of a mapping file.
class RuleReader {
 public:
  RuleReader(const JsonValue& object, std::string& error) : o_(object), error_(error) {}

  std::optional<RelayerRule> Read() {
    if (o_.type != JsonValue::Type::kObject || o_.members.empty())
      return Fail(o_, "an object like {\"group\": \"2:5\"} or {\"layer\": \"2-3:5-0\"}");
    for (const auto& [key, value] : o_.members) {
      if (value.type != JsonValue::Type::kString)
        return Fail(value, "a string as the value of \"" + key + "\"");
    }
    const std::string& key = o_.members.front().first;
    const std::string& value = o_.members.front().second.string;
    if (key == "group") return Only({}) ? Check(ParseGroupMove(value)) : std::nullopt;
    if (key == "layer") return Only({}) ? Check(ParseLayerMove(value)) : std::nullopt;
    if (key == "swap") return Only({}) ? Check(ParseSwap(value)) : std::nullopt;
    if (key == "group-name") return ByName(RuleKind::kGroupName, ParseGroupRef);
    if (key == "layer-name") return ByName(RuleKind::kLayerName, ParseLayerRef);
    if (key == "rename-group") return Renaming(RuleKind::kRenameGroup, ParseGroupRef);
    if (key == "rename-layer") return Renaming(RuleKind::kRenameLayer, ParseLayerRef);
    return Fail(o_, "a rule, not \"" + key + "\"");
  }

 private:
  // True when the object holds no keys but the first and `allowed`.
  bool Only(std::initializer_list<std::string_view> allowed) {
    for (std::size_t i = 1; i < o_.members.size(); ++i) {
      bool ok = false;
      for (std::string_view a : allowed) ok = ok || o_.members[i].first == a;
      if (!ok) {
        Fail(o_.members[i].second,
             "no \"" + o_.members[i].first + "\" in a \"" + o_.members.front().first + "\" rule");
        return false;
      }
    }
    return true;
  }

  std::optional<RelayerRule> Check(std::optional<RelayerRule> rule) {
    if (!rule) {
      const auto& [key, value] = o_.members.front();
      return Fail(value, "a valid move, not \"" + key + "\": \"" + value.string + "\"");
    }
    return rule;
  }

  std::optional<LayerRef> Ref(const char* key, std::optional<LayerRef> (*parse)(std::string_view),
                              const char* form) {
    const JsonValue* v = o_.Find(key);
    if (!v) return Fail(o_, std::string("\"") + key + "\": \"" + form + "\""), std::nullopt;
    auto ref = parse(v->string);
    if (!ref) Fail(*v, std::string("\"") + key + "\": \"" + form + "\", not \"" + v->string + "\"");
    return ref;
  }

  std::optional<RelayerRule> ByName(RuleKind kind,
                                    std::optional<LayerRef> (*target)(std::string_view)) {
    bool layer = kind == RuleKind::kLayerName;
    if (!Only(layer ? std::initializer_list<std::string_view>{"to", "in-group"}
                    : std::initializer_list<std::string_view>{"to"}))
      return std::nullopt;
    RelayerRule r;
    r.kind = kind;
    r.pattern = o_.members.front().second.string;
    if (r.pattern.empty()) return Fail(o_.members.front().second, "a name");
    auto to = Ref("to", target, layer ? "H-M" : "D");
    if (!to) return std::nullopt;
    r.to = *to;
    if (o_.Find("in-group")) {
      auto g = Ref("in-group", ParseGroupRef, "G");
      if (!g) return std::nullopt;
      r.inGroup = g->group;
    }
    return r;
  }

  std::optional<RelayerRule> Renaming(RuleKind kind,
                                      std::optional<LayerRef> (*target)(std::string_view)) {
    if (!Only({"name"})) return std::nullopt;
    const JsonValue& v = o_.members.front().second;
    auto ref = target(v.string);
    if (!ref)
      return Fail(v, std::string(kind == RuleKind::kRenameGroup ? "a group G" : "a layer G-L") +
                         ", not \"" + v.string + "\"");
    const JsonValue* name = o_.Find("name");
    if (!name) return Fail(o_, "\"name\": \"...\"");
    RelayerRule r;
    r.kind = kind;
    r.from = *ref;
    r.name = name->string;
    return r;
  }

  std::nullopt_t Fail(const JsonValue& where, const std::string& what) {
    if (error_.empty())
      error_ = "expected " + what + " at character " + std::to_string(where.offset + 1);
    return std::nullopt;
  }

  const JsonValue& o_;
  std::string& error_;
};

}  // namespace

std::optional<LayerRef> ParseGroupRef(std::string_view text) {
  if (text.size() != 1 || HexDigit(text[0]) < 0) return std::nullopt;
  return LayerRef{HexDigit(text[0]), -1};
}

std::optional<LayerRef> ParseLayerRef(std::string_view text) {
  if (text.size() != 3 || text[1] != '-') return std::nullopt;
  int g = HexDigit(text[0]), l = HexDigit(text[2]);
  if (g < 0 || l < 0) return std::nullopt;
  return LayerRef{g, l};
}

std::optional<RelayerRule> ParseGroupMove(std::string_view text) {
  return Pair(text, RuleKind::kMove, ParseGroupRef);
}

std::optional<RelayerRule> ParseLayerMove(std::string_view text) {
  return Pair(text, RuleKind::kMove, ParseLayerRef);
}

std::optional<RelayerRule> ParseSwap(std::string_view text) {
  auto r = Pair(text, RuleKind::kSwap, ParseGroupRef);
  return r ? r : Pair(text, RuleKind::kSwap, ParseLayerRef);
}

std::optional<RelayerRule> ParseGroupNameRule(std::string_view text) {
  return NameRule(text, RuleKind::kGroupName, ParseGroupRef);
}

std::optional<RelayerRule> ParseLayerNameRule(std::string_view text) {
  return NameRule(text, RuleKind::kLayerName, ParseLayerRef);
}

std::optional<RelayerRule> ParseRenameGroup(std::string_view text) {
  return Rename(text, RuleKind::kRenameGroup, ParseGroupRef);
}

std::optional<RelayerRule> ParseRenameLayer(std::string_view text) {
  return Rename(text, RuleKind::kRenameLayer, ParseLayerRef);
}

std::string RefText(const LayerRef& ref) {
  std::string s(1, HexChar(ref.group));
  if (!ref.IsGroup()) s += std::string("-") + HexChar(ref.layer);
  return s;
}

std::string Describe(const RelayerRule& r) {
  const char* unit = r.from.IsGroup() ? "group " : "layer ";
  switch (r.kind) {
    case RuleKind::kMove:
      return unit + RefText(r.from) + " -> " + RefText(r.to);
    case RuleKind::kSwap:
      return std::string("swap ") + unit + RefText(r.from) + " <-> " + RefText(r.to);
    case RuleKind::kGroupName:
      return "groups named " + Quoted(r.pattern) + " -> " + RefText(r.to);
    case RuleKind::kLayerName:
      return "layers named " + Quoted(r.pattern) +
             (r.inGroup >= 0 ? " in group " + RefText({r.inGroup, -1}) : std::string()) + " -> " +
             RefText(r.to);
    case RuleKind::kRenameGroup:
    case RuleKind::kRenameLayer:
      return std::string("rename ") + unit + RefText(r.from) + " to " + Quoted(r.name);
  }
  return {};
}

PlanParseResult ParseRelayerPlan(std::string_view json) {
  PlanParseResult result;
  auto doc = ParseJson(json, result.error);
  if (!doc) return result;
  if (doc->type != JsonValue::Type::kArray) {
    result.error = "expected a list '[' of moves at character " + std::to_string(doc->offset + 1);
    return result;
  }
  for (const JsonValue& item : doc->items) {
    auto rule = RuleReader(item, result.error).Read();
    if (!rule) {
      result.rules.clear();
      return result;
    }
    result.rules.push_back(std::move(*rule));
  }
  return result;
}

std::string SerializeRelayerPlan(const RelayerPlan& plan) {
  std::ostringstream o;
  o << "[";
  const char* sep = "\n  ";
  for (const RelayerRule& r : plan) {
    o << sep << "{";
    sep = ",\n  ";
    std::string pair = RefText(r.from) + ":" + RefText(r.to);
    switch (r.kind) {
      case RuleKind::kMove:
        o << (r.from.IsGroup() ? "\"group\": " : "\"layer\": ") << JsonQuote(pair);
        break;
      case RuleKind::kSwap:
        o << "\"swap\": " << JsonQuote(pair);
        break;
      case RuleKind::kGroupName:
        o << "\"group-name\": " << JsonQuote(r.pattern) << ", \"to\": " << JsonQuote(RefText(r.to));
        break;
      case RuleKind::kLayerName:
        o << "\"layer-name\": " << JsonQuote(r.pattern);
        if (r.inGroup >= 0) o << ", \"in-group\": " << JsonQuote(RefText({r.inGroup, -1}));
        o << ", \"to\": " << JsonQuote(RefText(r.to));
        break;
      case RuleKind::kRenameGroup:
      case RuleKind::kRenameLayer:
        o << (r.kind == RuleKind::kRenameGroup ? "\"rename-group\": " : "\"rename-layer\": ")
          << JsonQuote(RefText(r.from)) << ", \"name\": " << JsonQuote(r.name);
        break;
    }
    o << "}";
  }
  o << (plan.empty() ? "]\n" : "\n]\n");
  return o.str();
}

}  // namespace quintaro
