// How the core hands decoder messages and progress to whoever shows them. The core never
// opens a window: the viewer implements MessageSink with message boxes, the command line
// prints to standard error, tests collect.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorax::decode {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // One message for the user, in the exact words the decoder gave. `systemModal` asks for a
  // box that stays in front of every window (GH1's messages).
  virtual void show(std::string_view text, bool systemModal) = 0;
};

// Keeps every message in order; used by the command line (which prints them) and tests.
class CollectingMessages : public MessageSink {
 public:
  void show(std::string_view text, bool /*systemModal*/) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

// Progress of a long loop, 0..100. Returning false asks the loop to stop early.
using ProgressCallback = std::function<bool(int percent)>;

}  // namespace vorax::decode
