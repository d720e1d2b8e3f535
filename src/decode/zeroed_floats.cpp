#include "decode/zeroed_floats.h"

#include <cstdint>
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
// A huge page: mappings start on one and span whole ones, so that every page of the array can
// be a huge page (a first touch costs one fault per 2 MiB instead of one per 4 KiB).
constexpr std::size_t kHugePage = std::size_t{1} << 21;

std::size_t wholeHugePages(std::size_t bytes) {
  return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

ZeroedFloats::ZeroedFloats(std::size_t count, Pages pages) : size_(count), pages_(pages) {
  if (count == 0) return;
  const std::size_t bytes = count * sizeof(float);
#if defined(__linux__)
  if (bytes >= kMappingThreshold) {
    const std::size_t length = wholeHugePages(bytes);
    void* p = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                   -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    // Keep the huge-page-aligned part of the mapping, give back what lies before and after.
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start) munmap(p, aligned - start);
    if (const std::size_t after = kHugePage - (aligned - start); after > 0)
      munmap(reinterpret_cast<void*>(aligned + length), after);
    // A hint either way: without transparent huge pages the memory comes in small pages.
    madvise(reinterpret_cast<void*>(aligned), length,
            pages == Pages::Huge ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
    data_ = reinterpret_cast<float*>(aligned);
    mappedBytes_ = length;
    return;
  }
#endif
  data_ = static_cast<float*>(std::calloc(count, sizeof(float)));
  if (data_ == nullptr) throw std::bad_alloc();
}

void ZeroedFloats::assignZeros(std::size_t count) {
  const std::size_t bytes = count * sizeof(float);
  if (mappedBytes_ != 0 && bytes >= kMappingThreshold && wholeHugePages(bytes) == mappedBytes_) {
    std::memset(data_, 0, bytes);
    size_ = count;
    return;
  }
  const Pages pages = pages_;
  release();
  *this = ZeroedFloats(count, pages);
}

ZeroedFloats::~ZeroedFloats() {
  release();
}

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
      mappedBytes_(std::exchange(other.mappedBytes_, 0)),
      pages_(other.pages_) {}

ZeroedFloats& ZeroedFloats::operator=(ZeroedFloats&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mappedBytes_ = std::exchange(other.mappedBytes_, 0);
    pages_ = other.pages_;
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
