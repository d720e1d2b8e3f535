// vorax sumdiff FILE1 FILE2 (--sum | --difference) [--normalise] --json | -o OUT.png: the
// sum or difference of two records, printed as `vorax traces --json --samples` prints a
// record, or drawn as the viewer draws it.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "base/debug_log.h"
#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/record_json.h"
#include "tools/record_sum.h"

namespace vorax::cli {

namespace {

struct SumDiffArgs {
  std::string file1;
  std::string file2;
  bool sum = false;
  bool difference = false;
  bool normalise = false;
  bool json = false;
  std::string picture;
};

int runSumDiff(const SumDiffArgs& args) {
  tools::SumDiffOptions options;
  options.operation = args.sum          ? tools::SumDiffOperation::Sum
                      : args.difference ? tools::SumDiffOperation::Difference
                                        : tools::SumDiffOperation::None;
  options.normalise = args.normalise;
  CliMessages messages;
  decode::SegdRecord result;
  const tools::SumDiffOutcome outcome =
      tools::sumDifference(args.file1, args.file2, options, result, messages, base::DebugLog{});
  if (!outcome.ok) {
    if (!outcome.message.empty()) std::fprintf(stderr, "%s\n", outcome.message.c_str());
    return outcome.message.empty() ? 1 : 2;
  }
  if (!args.picture.empty()) {
    if (const int status = writeRecordPictureFile("sumdiff", args.picture, PictureSize{}, result);
        status != 0)
      return status;
  }
  if (args.json) printTracesJson(result, true, messages.messages);
  return 0;
}

}  // namespace

void addSumDiffCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SumDiffArgs>();
  CLI::App* command = app.add_subcommand(
      "sumdiff", "Sum or difference of two records of the same geometry, trace by trace.");
  command->add_option("FILE1", args->file1, "first record")->required();
  command->add_option("FILE2", args->file2, "second record (its headers go with the result)")
      ->required();
  auto* sum = command->add_flag("--sum", args->sum, "FILE2 + FILE1");
  auto* difference = command->add_flag("--difference", args->difference, "FILE1 - FILE2");
  sum->excludes(difference);
  command->add_flag("--normalise", args->normalise,
                    "divide each result trace by its largest absolute value");
  auto* json = command->add_flag("--json", args->json,
                                 "print the result as `vorax traces --json --samples` does");
  auto* picture = command->add_option("-o,--output", args->picture,
                                      "draw the result as the viewer does into OUT.png or OUT.bmp");
  // Without either the command would compute a result and show nothing.
  command->parse_complete_callback([json, picture] {
    if (json->count() == 0 && picture->count() == 0) throw CLI::RequiredError("--json or -o");
  });
  command->callback([args, &status] { status = runSumDiff(*args); });
}

}  // namespace vorax::cli
