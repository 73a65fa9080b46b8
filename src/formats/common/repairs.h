// Values that a save writes differently from the model because they are out
// of the format's range (a layer above 15, a pen width of 0, an unknown
// colour...). A save never repairs silently: the writer notes each kind of
// repair here, and the caller tells the user what and how many.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quintaro {

struct Repair {
  std::string what;  // English, e.g. "layer above 15 written as 0"
  std::int64_t count = 0;
  friend bool operator==(const Repair&, const Repair&) = default;
};

class RepairLog {
 public:
  // Counts one more repair of the kind `what` (kinds keep their first order).
  void Note(std::string_view what, std::int64_t count = 1) {
    if (count <= 0) return;
    for (Repair& r : items_) {
      if (r.what == what) {
        r.count += count;
        return;
      }
    }
    items_.push_back({std::string(what), count});
  }
  void Clear() { items_.clear(); }
  bool Empty() const { return items_.empty(); }
  const std::vector<Repair>& Items() const { return items_; }

 private:
  std::vector<Repair> items_;
};

}  // namespace quintaro
