// A large array of floats that starts zeroed, for the trace samples of a record.
#pragma once

#include <cstddef>

namespace vorax::decode {

// New memory comes zeroed from the operating system, so a record of tens of megabytes costs
// no separate zero-filling pass; on Linux it is asked for in huge pages, which spares
// thousands of page faults while the loader fills it. The system's first touch of fresh pages
// (their faults and clearing) still costs several times a zero-filling pass over memory
// already mapped, which assignZeros() does instead when it can.
class ZeroedFloats {
 public:
  // How fresh memory of the size worth a mapping is mapped.
  // - Huge pages: the fewest faults on a first touch, for an array made for one record.
  // - Small pages: for an array kept and zeroed in place record after record, which pays its
  //   first touch once. On a virtual machine whose host takes back the guest's idle memory
  //   (free page reporting, done in huge-page blocks), fresh huge pages come back from the host
  //   slowly: the first touch of 48 MB took 100-250 ms in huge pages against 17-20 ms in small
  //   ones, while a zeroing pass over memory already mapped takes about 1 ms either way.
  enum class Pages { Huge, Small };

  ZeroedFloats() = default;
  explicit ZeroedFloats(std::size_t count, Pages pages = Pages::Huge);
  ~ZeroedFloats();
  ZeroedFloats(ZeroedFloats&& other) noexcept;
  ZeroedFloats& operator=(ZeroedFloats&& other) noexcept;
  ZeroedFloats(const ZeroedFloats& other);
  ZeroedFloats& operator=(const ZeroedFloats& other);

  // Makes the array `count` zeroes. Memory mapped for an array of as many huge pages is kept
  // and zeroed in place, which costs a fraction of fresh pages' faults and clearing; other
  // memory is given back first and new memory taken.
  void assignZeros(std::size_t count);
  // The pages later fresh memory of this array is mapped in (Huge until said otherwise); it
  // goes with the array when the array is moved.
  void mapFreshMemoryIn(Pages pages) { pages_ = pages; }

  float* data() { return data_; }
  const float* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  void release();

  float* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mappedBytes_ = 0;  // non-zero when the memory is an anonymous mapping
  Pages pages_ = Pages::Huge;
};

}  // namespace vorax::decode
