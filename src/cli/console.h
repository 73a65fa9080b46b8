// The console the command-line tool runs in: its arguments as UTF-8, UTF-8
// output, and whether error messages go to a terminal.
#pragma once

#include <string>
#include <vector>

namespace quintaro::cli {

// Set up for the program's life. On Windows the arguments are taken from the
// system's UTF-16 command line (the narrow argv holds only what the code page
// can say), wildcards in them are expanded as the shells there leave them,
// and the console shows UTF-8; the console's code page is restored at the end.
class Console {
 public:
  Console(int argc, char** argv);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  int Argc() const { return static_cast<int>(args_.size()); }
  char** Argv() { return pointers_.data(); }
  // Error messages reach a terminal (progress lines are then worth showing).
  bool ErrorsToTerminal() const;

 private:
  std::vector<std::string> args_;
  std::vector<char*> pointers_;
  unsigned previousOutputPage_ = 0;
};

}  // namespace quintaro::cli
