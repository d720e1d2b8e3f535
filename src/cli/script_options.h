// The options scripts lean on, shared by the commands: --strict (a warning fails the run) and
// --threads N (how many threads the heavy steps use).
#pragma once

namespace CLI {
class App;
}

namespace vorax::cli {

// Adds --strict and --threads to every command of `app` that reads a record. Call once the
// commands are added.
void addScriptOptions(CLI::App& app);

// Warnings a command reports in its own words rather than as messages (qc's line for a record
// it could not read whole): --strict counts them as well.
void noteWarnings(int count);

// A finished command's exit status under --strict: 4 when it would have exited 0 but gave a
// warning; `status` otherwise (a fatal header result, a usage or file error and a failed QC
// verdict keep their own codes).
int strictStatus(int status);

}  // namespace vorax::cli
