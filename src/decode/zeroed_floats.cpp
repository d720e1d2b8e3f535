#include "decode/zeroed_floats.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vorax::decode {

namespace {

// Below this size an ordinary zeroed allocation is as quick.
constexpr std::size_t kMappingThreshold = std::size_t{1} << 21;

}  // namespace

ZeroedFloats::ZeroedFloats(std::size_t count) : size_(count) {
  if (count == 0) return;
  const std::size_t bytes = count * sizeof(float);
#if defined(__linux__)
  if (bytes >= kMappingThreshold) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without transparent huge pages it does nothing
    data_ = static_cast<float*>(p);
    mappedBytes_ = bytes;
    return;
  }
#endif
  data_ = static_cast<float*>(std::calloc(count, sizeof(float)));
  if (data_ == nullptr) throw std::bad_alloc();
}

ZeroedFloats::~ZeroedFloats() { release(); }

void ZeroedFloats::release() {
#if defined(__linux__)
  if (mappedBytes_ != 0) {
    munmap(data_, mappedBytes_);
  } else {
    std::free(data_);
  }
#else
  std::free(data_);
#endif
  data_ = nullptr;
  size_ = 0;
  mappedBytes_ = 0;
}

ZeroedFloats::ZeroedFloats(ZeroedFloats&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mappedBytes_(std::exchange(other.mappedBytes_, 0)) {}

ZeroedFloats& ZeroedFloats::operator=(ZeroedFloats&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
  }
  return *this;
}

ZeroedFloats::ZeroedFloats(const ZeroedFloats& other) : ZeroedFloats(other.size_) {
  if (size_ != 0) std::memcpy(data_, other.data_, size_ * sizeof(float));
}

ZeroedFloats& ZeroedFloats::operator=(const ZeroedFloats& other) {
  if (this != &other) *this = ZeroedFloats(other);
  return *this;
}

}  // namespace vorax::decode
