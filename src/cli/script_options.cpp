#include "cli/script_options.h"

#include <CLI/CLI.hpp>
#include <array>
#include <atomic>
#include <string>
#include <string_view>

#include "base/worker_count.h"
#include "cli/cli_record.h"

namespace vorax::cli {

namespace {

// The commands that read a record (and decode its traces, the heavy part).
constexpr std::array<std::string_view, 16> kRecordCommands = {
    "info",      "traces",         "render",  "trace", "filter",    "spread", "fslice", "tslice",
    "selection", "vibsim-analyse", "sumdiff", "split", "fix-radio", "panels", "vibsim", "qc"};

bool strict = false;
std::atomic<int> ownWarnings{0};

bool readsRecords(const std::string& name) {
  for (const std::string_view command : kRecordCommands)
    if (command == name) return true;
  return false;
}

}  // namespace

void addScriptOptions(CLI::App& app) {
  const std::string allowed = std::to_string(base::allowedCpus());
  for (CLI::App* command : app.get_subcommands({})) {
    if (!readsRecords(command->get_name())) continue;
    command->add_flag("--strict", strict,
                      "exit 4 when the record gave a warning (printed on standard error and kept "
                      "in the JSON's messages)");
    command
        ->add_option_function<unsigned>(
            "--threads", [](const unsigned& count) { base::setWorkerCount(count); },
            "threads for decoding, filtering, spectra and drawing; by default one per CPU the "
            "process may use")
        ->check(CLI::Range(1u, base::kMostWorkers))
        ->default_str(allowed);
  }
}

void noteWarnings(int count) {
  ownWarnings.fetch_add(count, std::memory_order_relaxed);
}

int strictStatus(int status) {
  const int warnings = CliMessages::shownCount() + ownWarnings.load(std::memory_order_relaxed);
  return strict && status == 0 && warnings > 0 ? 4 : status;
}

}  // namespace vorax::cli
