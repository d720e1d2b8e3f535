// vorax split FILE [--out-dir DIR] [--overwrite]: one file per record of a multi-record Sercel
// file, named after each record's file number, one line printed per record written. An
// existing file under a record's name is kept (the split stops there) unless --overwrite.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_record.h"
#include "cli/commands.h"
#include "tools/file_splitter.h"

namespace vorax::cli {

namespace {

struct SplitArgs {
  std::string file;
  std::string outDir;
  bool overwrite = false;
};

int exitStatusOf(tools::SplitStatus status) {
  switch (status) {
    case tools::SplitStatus::Complete:
      return 0;
    case tools::SplitStatus::InputProblem:
      return 1;
    case tools::SplitStatus::FileError:
    case tools::SplitStatus::ReadOnlyFolder:
    case tools::SplitStatus::OutputExists:
    case tools::SplitStatus::Cancelled:
      break;
  }
  return 2;
}

int runSplit(const SplitArgs& args) {
  CliMessages warnings;
  tools::SplitCallbacks callbacks;
  callbacks.messages = &warnings;
  const bool overwrite = args.overwrite;
  callbacks.mayReplace = [overwrite](const std::filesystem::path&) { return overwrite; };
  const tools::SplitResult result = tools::splitFile(args.file, args.outDir, callbacks);
  for (const tools::SplitRecord& r : result.records) {
    std::printf("%s: file %s, %llu", r.output.string().c_str(), r.fileNumber.c_str(),
                static_cast<unsigned long long>(r.tracesCopied));
    if (r.tracesCopied != r.declaredTraces)
      std::printf(" of %llu", static_cast<unsigned long long>(r.declaredTraces));
    std::printf(" traces%s\n", r.partial ? ", partial: the input ends inside the record" : "");
  }
  if (result.status != tools::SplitStatus::Complete)
    std::fprintf(
        stderr, "vorax split: %s%s\n", result.message.c_str(),
        result.status == tools::SplitStatus::OutputExists ? " (--overwrite replaces it)" : "");
  return exitStatusOf(result.status);
}

}  // namespace

void addSplitCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SplitArgs>();
  CLI::App* command = app.add_subcommand(
      "split",
      "Split a file of several Sercel records into one file per record, named after "
      "each record's file number (NNNN.SEGD; NNNN_2.SEGD for a repeated number, "
      "NNNN_partial.SEGD for a record the file ends inside).");
  command->add_option("FILE", args->file, "file holding one or more Sercel records")->required();
  command->add_option("--out-dir", args->outDir,
                      "folder of the output files; empty: the folder of FILE");
  command->add_flag("--overwrite", args->overwrite,
                    "replace existing files under the records' names (never FILE); without it "
                    "the split stops at the first one, keeping it");
  command->callback([args, &status] { status = runSplit(*args); });
}

}  // namespace vorax::cli
