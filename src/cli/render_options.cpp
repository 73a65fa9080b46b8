// The options of `render`, the same in builds that cannot draw.
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/command.h"

namespace quintaro::cli {

namespace {

CLI::Validator SizeValidator() {
  return CLI::Validator(
      [](std::string& s) {
        int w = 0, h = 0;
        char tail = 0;
        return std::sscanf(s.c_str(), "%dx%d%c", &w, &h, &tail) == 2 && w > 0 && h > 0
                   ? std::string()
                   : "expected WIDTHxHEIGHT, e.g. 1600x1200";
      },
      "");
}

CLI::Validator HexDigitValidator() {
  return CLI::Validator(
      [](std::string& s) {
        return s.size() == 1 && std::isxdigit(static_cast<unsigned char>(s[0]))
                   ? std::string()
                   : "expected one hexadecimal digit 0-F";
      },
      "");
}

struct Args {
  RenderOptions options;
  std::string size = "1600x1200", background = "white", group, layer;

  RenderOptions Parsed() const {
    RenderOptions o = options;
    std::sscanf(size.c_str(), "%dx%d", &o.width, &o.height);
    o.blackBackground = background == "black";
    if (!group.empty()) o.group = std::stoi(group, nullptr, 16);
    if (!layer.empty()) o.layer = std::stoi(layer, nullptr, 16);
    return o;
  }
};

}  // namespace

Command AddRender(CLI::App& app) {
  auto a = std::make_shared<Args>();
  CLI::App* c =
      app.add_subcommand("render", "Draw a drawing (or one group or layer) to PNG or SVG");
  c->add_option("IN", a->options.in, "the drawing")->required();
  c->add_option("-o,--output", a->options.out, "the picture to write (.png or .svg)")->required();
  c->add_option("--size", a->size, "width x height in pixels (default 1600x1200)")
      ->type_name("WxH")
      ->check(SizeValidator());
  c->add_option("--background", a->background, "white or black")
      ->check(CLI::IsMember({"white", "black"}));
  c->add_option("--group", a->group, "draw only this layer group (hex digit)")
      ->type_name("G")
      ->check(HexDigitValidator());
  c->add_option("--layer", a->layer, "draw only this layer of the group (hex digit)")
      ->type_name("L")
      ->check(HexDigitValidator());
  return {c, [a](Io io) { return RunRender(a->Parsed(), io); }};
}

}  // namespace quintaro::cli
