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
