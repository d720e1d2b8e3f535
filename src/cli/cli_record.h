// Opening a record for a subcommand: decoder messages to standard error (and kept for JSON
// output), file errors reported, and the exit status the command returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.h"
#include "decode/record_opener.h"
#include "decode/segd_record.h"

namespace vorax::cli {

// Prints each message on its own line of standard error as it comes, and keeps them in order.
class CliMessages : public decode::MessageSink {
 public:
  void show(std::string_view text, bool systemModal) override;
  std::vector<std::string> messages;
  // The messages every CliMessages of the process has shown: the warnings --strict counts.
  static int shownCount();
};

struct CliRecord {
  decode::SegdRecord record;
  decode::OpenResult result;
  CliMessages messages;
  int exitStatus = 2;  // 0 opened, 1 a fatal decoder result, 2 the file could not be opened
};

// The --loader option's value: "vorax", "408", "standard", or empty for the record's own;
// nullopt for any other.
std::optional<decode::LoaderChoice> loaderChoice(const std::string& name);

// Opens `path` (headers only unless `loadTraces`) with the trace loader `loader`: record
// `record` (from 1) of a file holding several, or the first with a message saying how many
// when `record` is 0. A file error is printed as "vorax <command>: <error>".
void openForCommand(std::string_view command, const std::string& path, bool loadTraces,
                    CliRecord& out, decode::LoaderChoice loader = decode::LoaderChoice::Auto,
                    std::int32_t record = 0);

}  // namespace vorax::cli
