// vorax fix-radio FILE... [--traces T] [--end-ms E] [--prefix P] [--out-dir DIR]
// [--delete-original] [--overwrite]: repairs radio-similarity records as the viewer's "Fix
// Radio Sim File" does, one line printed per file written. An existing file under an output's
// name is kept (the run stops there) unless --overwrite.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_record.h"
#include "cli/commands.h"
#include "tools/radio_fix.h"

namespace vorax::cli {

namespace {

struct FixRadioArgs {
  std::vector<std::string> files;
  int traces = 3;
  int endMs = 12000;
  std::string prefix = "RS";
  std::string outDir;
  bool deleteOriginal = false;
  bool overwrite = false;
};

int exitStatusOf(tools::RadioFixStatus status) {
  switch (status) {
    case tools::RadioFixStatus::Complete:
      return 0;
    case tools::RadioFixStatus::InputProblem:
      return 1;
    case tools::RadioFixStatus::OutputIsInput:
    case tools::RadioFixStatus::OutputExists:
    case tools::RadioFixStatus::FileError:
    case tools::RadioFixStatus::Cancelled:
      break;
  }
  return 2;
}

int runFixRadio(const FixRadioArgs& args) {
  tools::RadioFixOptions options;
  options.tracesRequired = args.traces;
  options.halfEndTime = args.endMs / 2;
  options.prefix = args.prefix;
  options.deleteOriginal = args.deleteOriginal;
  options.outputFolder = args.outDir;
  CliMessages warnings;
  tools::RadioFixCallbacks callbacks;
  callbacks.messages = &warnings;
  const bool overwrite = args.overwrite;
  callbacks.mayReplace = [overwrite](const std::filesystem::path&) { return overwrite; };
  const std::vector<std::filesystem::path> inputs(args.files.begin(), args.files.end());
  const tools::RadioFixResult result = tools::fixRadioFiles(inputs, options, callbacks);
  for (const tools::RadioFixFile& f : result.files) {
    std::printf("%s: %s, %llu traces%s%s\n", f.input.string().c_str(), f.output.string().c_str(),
                static_cast<unsigned long long>(f.tracesCopied),
                f.partial ? ", partial: the input ends early" : "",
                f.inputDeleted ? ", original deleted" : "");
  }
  if (result.status != tools::RadioFixStatus::Complete)
    std::fprintf(
        stderr, "vorax fix-radio: %s%s\n", result.message.c_str(),
        result.status == tools::RadioFixStatus::OutputExists ? " (--overwrite replaces it)" : "");
  return exitStatusOf(result.status);
}

}  // namespace

void addFixRadioCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<FixRadioArgs>();
  CLI::App* command =
      app.add_subcommand("fix-radio",
                         "Rewrite radio-similarity Sercel records to hold only their first traces: "
                         "channel set 1 gets the traces and end time, channel set 2 is emptied.");
  command->add_option("FILE", args->files, "Sercel records to repair")->required();
  command->add_option("--traces", args->traces, "traces required (written as 0..9999)")
      ->check(CLI::NonNegativeNumber);
  command->add_option("--end-ms", args->endMs, "end time of channel set 1 in ms (2 ms steps)")
      ->check(CLI::NonNegativeNumber);
  command->add_option("--prefix", args->prefix,
                      "output name = prefix + input name; empty: every output is \"radtmp\"");
  command->add_option("--out-dir", args->outDir,
                      "folder of the output files; empty: the folder of each input");
  command->add_flag("--delete-original", args->deleteOriginal,
                    "delete each input once its repaired record is written and synced "
                    "(never one whose repair is partial)");
  command->add_flag("--overwrite", args->overwrite,
                    "replace existing files under the output names (never an input); without "
                    "it the run stops at the first one, keeping it");
  command->callback([args, &status] { status = runFixRadio(*args); });
}

}  // namespace vorax::cli
