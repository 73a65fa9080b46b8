#include <cstdio>

int main() {
  std::fputs("quintaro-cli: no commands yet\n", stderr);
  return 1;
}
