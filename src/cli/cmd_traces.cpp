// vorax traces [--json] FILE [--samples] [--loader vorax|408]: the per-trace attributes of a
// record.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_record.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/record_json.h"
#include "decode/conversions.h"

namespace vorax::cli {

namespace {

// A nested JSON text shifted right by `spaces` after each line break.
std::string indented(const std::string& text, int spaces) {
  std::string out;
  for (const char c : text) {
    out.push_back(c);
    if (c == '\n') out.append(static_cast<std::size_t>(spaces), ' ');
  }
  return out;
}

// Written trace by trace, in the layout Json::dump gives, so that a large record with its
// samples never needs the whole JSON tree in memory.
void printTracesJson(const decode::SegdRecord& record, bool withSamples) {
  std::fputs("{\n  \"traces\": [", stdout);
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    std::fputs(t == 1 ? "\n    " : ",\n    ", stdout);
    std::fputs(indented(traceJson(record, t, withSamples).dump(), 4).c_str(), stdout);
  }
  std::fputs(record.loadedTraceCount() > 0 ? "\n  ],\n" : "],\n", stdout);
  std::printf("  \"line_runs\": %s,\n  \"tilt_error_count\": %d\n}\n",
              indented(lineRunsJson(record.lineRuns).dump(), 2).c_str(), record.tiltErrorCount);
}

void printTable(const decode::SegdRecord& record) {
  std::printf("%6s %8s %8s %12s %12s %4s %6s %8s\n", "trace", "line", "point", "x", "y", "kind",
              "peak", "scale");
  for (std::int32_t t = 1; t <= record.loadedTraceCount(); ++t) {
    const decode::TraceHeaderInfo& i = record.traceInfo[static_cast<std::size_t>(t)];
    std::printf("%6d %8s %8s %12s %12s %4.*s %6d %8s\n", t,
                decode::shortestText(i.receiverLine).c_str(),
                decode::shortestText(i.receiverPoint).c_str(),
                decode::shortestText(i.receiverX).c_str(), decode::shortestText(i.receiverY).c_str(),
                static_cast<int>(i.channelKind.rtrimmed().size()), i.channelKind.data(),
                i.peakSampleIndex, decode::shortestText(i.amplitudeScale).c_str());
  }
}

// The --loader option's value: "vorax", "408", or absent for the record's own.
std::optional<decode::LoaderChoice> loaderChoice(const ParsedArgs& parsed) {
  const std::optional<std::string> name = parsed.value("--loader");
  if (!name) return decode::LoaderChoice::Auto;
  if (*name == "vorax") return decode::LoaderChoice::Vorax;
  if (*name == "408") return decode::LoaderChoice::Sercel408;
  return std::nullopt;
}

}  // namespace

int runTraces(Args args) {
  const ParsedArgs parsed = parseArgs(args, {"--json", "--samples"}, {"--loader"});
  const std::optional<decode::LoaderChoice> loader = loaderChoice(parsed);
  if (!parsed.error.empty() || parsed.positional.size() != 1 || !loader) {
    std::fprintf(stderr,
                 "vorax traces: %s\nusage: vorax traces [--json] FILE [--samples] "
                 "[--loader vorax|408]\n",
                 !parsed.error.empty() ? parsed.error.c_str()
                 : !loader             ? "--loader must be vorax or 408"
                                       : "one FILE expected");
    return 2;
  }
  CliRecord r;
  openForCommand("traces", parsed.positional[0], true, r, *loader);
  if (r.exitStatus != 0) return r.exitStatus;
  if (parsed.has("--json")) {
    printTracesJson(r.record, parsed.has("--samples"));
  } else {
    printTable(r.record);
  }
  return 0;
}

}  // namespace vorax::cli
