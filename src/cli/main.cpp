// quintaro-cli: re-layer Jw_cad drawings from the command line.
#include <iostream>

#include "cli/command.h"
#include "cli/console.h"

int main(int systemArgc, char** systemArgv) {
  using namespace quintaro::cli;
  Console console(systemArgc, systemArgv);
  // A fixed name keeps the usage lines (and the man page made from them) free of install paths.
  CLI::App app{"quintaro-cli: inspect, convert and re-layer Jw_cad drawings (JWW, JWS, JWC, JWK)",
               "quintaro-cli"};
  app.require_subcommand(1);
  // The same syntax on every system: on Windows "/x" is not an option but a
  // path (such as Wine's /tmp/plan.jww).
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", "quintaro-cli " QUINTARO_VERSION);
  const Command commands[] = {AddInfo(app),   AddConvert(app), AddDiff(app), AddMove(app),
                              AddLayers(app), AddRender(app),  AddDemo(app)};
  try {
    app.parse(console.Argc(), console.Argv());
  } catch (const CLI::ParseError& e) {
    // Help and version succeed; any other complaint of the parser is a usage error.
    return app.exit(e) == 0 ? 0 : kExitUsage;
  }
  Io io{std::cout, std::cerr, console.ErrorsToTerminal()};
  for (const Command& c : commands) {
    if (*c.parser) return c.run(io);
  }
  return kExitUsage;
}
