// The bytes this program holds through operator new, so that a test can
// tell the most a piece of code had allocated at once (the whole test
// program's operator new and delete are replaced to count them).
#pragma once

#include <cstddef>

namespace quintaro::test {

// The peak of the heap in use since construction, above the level then.
class HeapPeak {
 public:
  HeapPeak();
  std::size_t Bytes() const;

 private:
  std::size_t base_;
};

}  // namespace quintaro::test
