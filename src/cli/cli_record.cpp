#include "cli/cli_record.h"

#include <atomic>
#include <cstdio>

#include "base/debug_log.h"

namespace vorax::cli {

namespace {

std::atomic<int> messagesShown{0};

}  // namespace

void CliMessages::show(std::string_view text, bool /*systemModal*/) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  messages.emplace_back(text);
  messagesShown.fetch_add(1, std::memory_order_relaxed);
}

int CliMessages::shownCount() {
  return messagesShown.load(std::memory_order_relaxed);
}

void openForCommand(std::string_view command, const std::string& path, bool loadTraces,
                    CliRecord& out, decode::LoaderChoice loader, std::int32_t record) {
  decode::OpenOptions options;
  options.loadTraces = loadTraces;
  options.loader = loader;
  options.record = record;
  const base::DebugLog noLog;
  out.result = decode::openRecord(path, out.record, out.messages, noLog, options);
  // Decoder messages that did not stop a standard record's reading are shown all the same.
  for (const std::string& note : out.result.notes) out.messages.show(note, false);
  switch (out.result.status) {
    case decode::OpenStatus::Ok:
      out.exitStatus = 0;
      break;
    case decode::OpenStatus::DecoderFatal:
      out.exitStatus = 1;
      break;
    case decode::OpenStatus::FileError:
      std::fprintf(stderr, "vorax %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                   out.result.error.c_str());
      out.exitStatus = 2;
      break;
  }
}

std::optional<decode::LoaderChoice> loaderChoice(const std::string& name) {
  if (name.empty()) return decode::LoaderChoice::Auto;
  if (name == "vorax") return decode::LoaderChoice::Vorax;
  if (name == "408") return decode::LoaderChoice::Sercel408;
  if (name == "standard") return decode::LoaderChoice::Standard;
  return std::nullopt;
}

}  // namespace vorax::cli
