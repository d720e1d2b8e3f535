// A large array of floats that starts zeroed, for the trace samples of a record.
#pragma once

#include <cstddef>

namespace vorax::decode {

// Memory comes zeroed from the operating system, so a record of tens of megabytes costs no
// separate zero-filling pass; on Linux it is asked for in huge pages, which spares thousands
// of page faults while the loader fills it.
class ZeroedFloats {
 public:
  ZeroedFloats() = default;
  explicit ZeroedFloats(std::size_t count);
  ~ZeroedFloats();
  ZeroedFloats(ZeroedFloats&& other) noexcept;
  ZeroedFloats& operator=(ZeroedFloats&& other) noexcept;
  ZeroedFloats(const ZeroedFloats& other);
  ZeroedFloats& operator=(const ZeroedFloats& other);

  float* data() { return data_; }
  const float* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  void release();

  float* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mappedBytes_ = 0;  // non-zero when the memory is an anonymous mapping
};

}  // namespace vorax::decode
