// The whole command line of quintaro-cli: the parser with every
// subcommand's options, its complaints as one line of ours, and the run.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/session.h"

namespace quintaro::cli {

namespace {

// The parser's complaint on one line, pointing to the help of the
// subcommand it concerns.
void ParserError(const CLI::App& app, const CLI::ParseError& e, Io io) {
  std::string what = e.what();
  std::replace(what.begin(), what.end(), '\n', ' ');
  while (!what.empty() && what.back() == ' ') what.pop_back();
  if (!what.empty()) what[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(what[0])));
  std::string help = "quintaro-cli --help";
  for (const CLI::App* sub : app.get_subcommands())
    help = "quintaro-cli " + sub->get_name() + " --help";
  Error(io, what + " (see " + help + ")");
}

}  // namespace

int RunCommandLine(std::vector<std::string> words, const std::string& version, Io io) {
  // A fixed name keeps the usage lines (and the man page made from them) free of install paths.
  CLI::App app{"quintaro-cli: inspect, convert and re-layer Jw_cad drawings (JWW, JWS, JWC, JWK)",
               "quintaro-cli"};
  app.require_subcommand(1);
  // The same syntax on every system: on Windows "/x" is not an option but a
  // path (such as Wine's /tmp/plan.jww).
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", "quintaro-cli " + version);
  const Command commands[] = {AddInfo(app),   AddConvert(app), AddDiff(app), AddMove(app),
                              AddLayers(app), AddRender(app),  AddDemo(app)};
  // A mistyped command would otherwise be reported as a missing one.
  if (!words.empty() && !words[0].empty() && words[0][0] != '-' &&
      std::none_of(std::begin(commands), std::end(commands),
                   [&](const Command& c) { return c.parser->get_name() == words[0]; })) {
    std::string names;
    for (const Command& c : commands) names += (names.empty() ? "" : ", ") + c.parser->get_name();
    Error(io,
          words[0] + ": no such command; the commands are " + names + " (see quintaro-cli --help)");
    return kExitUsage;
  }
  // "--" ends the options: what follows are files, whatever they look like.
  const auto mark = std::find(words.begin(), words.end(), "--");
  std::vector<std::string> operands(mark == words.end() ? mark : mark + 1, words.end());
  words.erase(mark, words.end());
  std::reverse(words.begin(), words.end());  // the parser takes them from the back
  try {
    app.parse(words);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e, io.out, io.err);  // help and version
    ParserError(app, e, io);
    return kExitUsage;
  }
  for (const Command& c : commands) {
    if (!*c.parser) continue;
    if (!operands.empty() && c.files == nullptr) {
      Error(io, c.parser->get_name() + " takes no files after \"--\" (see quintaro-cli " +
                    c.parser->get_name() + " --help)");
      return kExitUsage;
    }
    if (c.files) c.files->insert(c.files->end(), operands.begin(), operands.end());
    return c.run(io);
  }
  return kExitUsage;
}

}  // namespace quintaro::cli
