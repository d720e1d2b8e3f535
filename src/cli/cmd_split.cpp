// vorax split FILE [--out-dir DIR]: one file per record of a multi-record Sercel file, named
// after each record's file number, one line printed per record written.
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
};

int exitStatusOf(tools::SplitStatus status) {
  switch (status) {
    case tools::SplitStatus::Complete:
      return 0;
    case tools::SplitStatus::InputProblem:
      return 1;
    case tools::SplitStatus::FileError:
    case tools::SplitStatus::ReadOnlyFolder:
    case tools::SplitStatus::Cancelled:
      break;
  }
  return 2;
}

int runSplit(const SplitArgs& args) {
  CliMessages warnings;
  tools::SplitCallbacks callbacks;
  callbacks.messages = &warnings;
  const tools::SplitResult result = tools::splitFile(args.file, args.outDir, callbacks);
  for (const tools::SplitRecord& r : result.records) {
    std::printf("%s: file %s, %llu", r.output.string().c_str(), r.fileNumber.c_str(),
                static_cast<unsigned long long>(r.tracesCopied));
    if (r.tracesCopied != r.declaredTraces)
      std::printf(" of %llu", static_cast<unsigned long long>(r.declaredTraces));
    std::printf(" traces\n");
  }
  if (result.status != tools::SplitStatus::Complete)
    std::fprintf(stderr, "vorax split: %s\n", result.message.c_str());
  return exitStatusOf(result.status);
}

}  // namespace

void addSplitCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<SplitArgs>();
  CLI::App* command = app.add_subcommand(
      "split",
      "Split a file of several Sercel records into one file per record, named after "
      "each record's file number (NNNN.SEGD; NNNN_2.SEGD for a repeated number).");
  command->add_option("FILE", args->file, "file holding one or more Sercel records")->required();
  command->add_option("--out-dir", args->outDir,
                      "folder of the output files; empty: the folder of FILE");
  command->callback([args, &status] { status = runSplit(*args); });
}

}  // namespace vorax::cli
