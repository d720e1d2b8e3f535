// Code tables of the header decoders: a numeric code and its display
// text, looked up by value.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vorax::decode {

struct CodeLabel {
  std::int64_t code;
  std::string_view text;
};

// The text for `code`, or nullptr when the table does not list it.
inline const std::string_view* findLabel(std::span<const CodeLabel> table, std::int64_t code) {
  for (const CodeLabel& entry : table) {
    if (entry.code == code) return &entry.text;
  }
  return nullptr;
}

// Keeps the status and message of a decoder in which every check runs and the last failing
// check wins.
template <typename MessageField>
class LastFailure {
 public:
  explicit LastFailure(MessageField& message) : message_(message) {}
  void fail(std::int32_t status, std::string_view text) {
    status_ = status;
    message_ = text;
  }
  std::int32_t status() const { return status_; }

 private:
  MessageField& message_;
  std::int32_t status_ = 0;
};

}  // namespace vorax::decode
