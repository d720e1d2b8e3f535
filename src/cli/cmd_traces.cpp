// vorax traces [--json] FILE [--samples] [--loader vorax|408|standard]: the per-trace attributes of
// a record.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_record.h"
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
    std::printf(
        "%6d %8s %8s %12s %12s %4.*s %6d %8s\n", t, decode::shortestText(i.receiverLine).c_str(),
        decode::shortestText(i.receiverPoint).c_str(), decode::shortestText(i.receiverX).c_str(),
        decode::shortestText(i.receiverY).c_str(),
        static_cast<int>(i.channelKind.rtrimmed().size()), i.channelKind.data(), i.peakSampleIndex,
        decode::shortestText(i.amplitudeScale).c_str());
  }
}

struct TracesArgs {
  std::string file;
  std::int32_t record = 0;
  bool json = false;
  bool samples = false;
  std::string loader;
};

int runTraces(const TracesArgs& args) {
  const std::optional<decode::LoaderChoice> loader = loaderChoice(args.loader);
  if (!loader) {
    std::fprintf(stderr, "vorax traces: --loader must be vorax, 408 or standard\n");
    return 2;
  }
  CliRecord r;
  openForCommand("traces", args.file, true, r, *loader, args.record);
  if (r.exitStatus != 0) return r.exitStatus;
  if (args.json) {
    printTracesJson(r.record, args.samples, r.messages.messages);
  } else {
    printTable(r.record);
  }
  return 0;
}

}  // namespace

void addTracesCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<TracesArgs>();
  CLI::App* command = app.add_subcommand("traces", "The per-trace attributes of a record.");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_flag("--json", args->json,
                    "every attribute of every trace as JSON instead of a table");
  command->add_flag("--samples", args->samples, "with --json, also each trace's sample values");
  command->add_option("--loader", args->loader,
                      "trace loader: vorax, 408 (Sercel 408 style) or standard (public SEG-D "
                      "layout); empty: the record's own");
  command
      ->add_option("--record", args->record,
                   "which record of a file holding several, from 1; by default the first, with a "
                   "message saying how many the file holds")
      ->check(CLI::Range(1, 1000000));
  command->callback([args, &status] { status = runTraces(*args); });
}

}  // namespace vorax::cli
