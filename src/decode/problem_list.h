// Problems a reader finds while it locates the parts of a damaged file, shown to the user as
// one message at the end (the first ten, then how many more).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/messages.h"

namespace vorax::decode {

class Problems {
 public:
  static constexpr std::size_t kShown = 10;

  void add(std::string text) { texts_.push_back(std::move(text)); }
  bool empty() const { return texts_.empty(); }
  void showTo(MessageSink& messages) const {
    if (texts_.empty()) return;
    std::string text;
    for (std::size_t i = 0; i < texts_.size() && i < kShown; ++i) {
      if (i > 0) text += "\n";
      text += texts_[i];
    }
    if (texts_.size() > kShown)
      text += "\n... and " + std::to_string(texts_.size() - kShown) + " more";
    messages.show(text, false);
  }

 private:
  std::vector<std::string> texts_;
};

// Samples held in the record may exceed the file's own sample count only by the zero padding
// of traces shorter than the longest; this bounds that padding for hostile mixes of one long
// and many tiny traces.
inline std::uint64_t paddedSampleLimit(std::uint64_t fileBytes) {
  return 4 * fileBytes + (1u << 20);
}

}  // namespace vorax::decode
