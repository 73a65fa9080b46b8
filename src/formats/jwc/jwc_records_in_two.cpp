// Large sections of fixed-size records, taken apart on two threads.
#include <algorithm>
#include <iterator>
#include <system_error>
#include <thread>
#include <vector>

#include "formats/common/memory.h"
#include "formats/jwc/jwc_records.h"

namespace quintaro {

namespace {

// `n` unset records, to grow a list by without zeroing them.
class UnsetRecords {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = JwcUnsetRecord;
  using difference_type = std::ptrdiff_t;
  using pointer = const JwcUnsetRecord*;
  using reference = const JwcUnsetRecord&;

  UnsetRecords() = default;
  explicit UnsetRecords(std::uint64_t left) : left_(left) {}
  reference operator*() const { return kUnset; }
  pointer operator->() const { return &kUnset; }
  UnsetRecords& operator++() {
    --left_;
    return *this;
  }
  UnsetRecords operator++(int) {
    UnsetRecords before = *this;
    --left_;
    return before;
  }
  friend bool operator==(const UnsetRecords&, const UnsetRecords&) = default;

 private:
  static constexpr JwcUnsetRecord kUnset{};
  std::uint64_t left_ = 0;
};

template <typename Form>
void DecodeRun(const std::uint8_t* from, typename Form::Record* to, std::size_t n, double factor) {
  for (std::size_t i = 0; i < n; ++i)
    to[i] = Form::Decode(JwcFields{from + i * Form::kBytes}, factor);
}

// Records per piece: 256 KiB of them, so that the bytes read stay in the
// processor's cache while they are taken apart.
template <typename Form>
constexpr std::size_t kPieceRecords = (std::size_t{1} << 18) / Form::kBytes;

// The helper's share: `n` records from `offset` of the input into `to`,
// read apart from the reader's own position. The number taken apart: fewer
// than `n` when the input no longer holds them.
template <typename Form>
std::size_t DecodeAt(const ByteReader& r, std::uint64_t offset, typename Form::Record* to,
                     std::size_t n, double factor) {
  std::vector<std::uint8_t> piece(kPieceRecords<Form> * Form::kBytes);
  std::size_t done = 0;
  while (done < n) {
    const std::size_t k = std::min(n - done, kPieceRecords<Form>);
    if (!r.ReadAt(offset + done * Form::kBytes, piece.data(), k * Form::kBytes)) break;
    DecodeRun<Form>(piece.data(), to + done, k, factor);
    done += k;
  }
  return done;
}

}  // namespace

template <typename Form>
std::uint64_t ReadJwcRecordsInTwo(ByteReader& r, JwcRecordList<typename Form::Record>& out,
                                  std::uint64_t whole, double factor) {
  using Record = typename Form::Record;
  if (!r.CanReadAt()) return 0;
  out = JwcRecordList<Record>(UnsetRecords(whole), UnsetRecords());
  AdviseLargePages(out.data(), out.size() * sizeof(Record));
  Record* const to = out.data();

  // This thread takes the first half from the reader, the helper the
  // second half from further on in the input: each fills memory of its own.
  const auto half = static_cast<std::size_t>(whole / 2);
  const auto second = static_cast<std::size_t>(whole) - half;
  const std::uint64_t secondAt = r.Offset() + half * Form::kBytes;
  std::size_t helperDone = 0;
  std::thread helper;
  try {
    helper = std::thread([&r, &helperDone, secondAt, to, half, second, factor] {
      helperDone = DecodeAt<Form>(r, secondAt, to + half, second, factor);
    });
  } catch (const std::system_error&) {
    out.clear();  // no thread to spare: the caller reads them one by one
    return 0;
  }
  struct Join {
    std::thread& t;
    ~Join() { t.join(); }
  };
  std::size_t done = 0;
  {
    const Join join{helper};
    while (done < half) {
      const std::size_t want = std::min(half - done, kPieceRecords<Form>);
      const std::span<const std::uint8_t> run = r.TakeRunInPlace(want * Form::kBytes, Form::kBytes);
      if (run.empty()) break;  // the file changed under the reader; the caller says where
      DecodeRun<Form>(run.data(), to + done, run.size() / Form::kBytes, factor);
      done += run.size() / Form::kBytes;
    }
  }
  // The helper's records count from where this thread's end, as far as
  // both go without a gap; the reader then stands after the last of them.
  if (done == half && helperDone > 0 && r.Skip(helperDone * Form::kBytes)) done += helperDone;
  out.resize(done);
  return done;
}

template std::uint64_t ReadJwcRecordsInTwo<JwcSenForm>(ByteReader&, JwcRecordList<TEntJwcSen>&,
                                                       std::uint64_t, double);
template std::uint64_t ReadJwcRecordsInTwo<JwcEnkoForm>(ByteReader&, JwcRecordList<TEntJwcEnko>&,
                                                        std::uint64_t, double);
template std::uint64_t ReadJwcRecordsInTwo<JwcTenForm>(ByteReader&, JwcRecordList<TEntJwcTen>&,
                                                       std::uint64_t, double);

}  // namespace quintaro
