// vorax: the command-line companion of VORAX Viewer.
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/run_command.h"
#include "cli/script_options.h"

int main(int argc, char** argv) {
  CLI::App app{"vorax: the command line of VORAX Viewer, for batch QC of seismic records.",
               "vorax"};
  app.set_version_flag("--version", VORAX_VERSION);
  app.require_subcommand(1);
  app.option_defaults()->always_capture_default();

  int status = 0;
  vorax::cli::addInfoCommand(app, status);
  vorax::cli::addTracesCommand(app, status);
  vorax::cli::addDecodeCommand(app, status);
  vorax::cli::addRenderCommand(app, status);
  vorax::cli::addSynthCommand(app, status);
  vorax::cli::addSettingsCommand(app, status);
  vorax::cli::addVibsimCommand(app, status);
  vorax::cli::addRadiosimCommand(app, status);
  vorax::cli::addSpreadCommand(app, status);
  vorax::cli::addFsliceCommand(app, status);
  vorax::cli::addTsliceCommand(app, status);
  vorax::cli::addTraceCommand(app, status);
  vorax::cli::addSelectionCommand(app, status);
  vorax::cli::addVibsimAnalyseCommand(app, status);
  vorax::cli::addSumDiffCommand(app, status);
  vorax::cli::addFixRadioCommand(app, status);
  vorax::cli::addSplitCommand(app, status);
  vorax::cli::addFilterCommand(app, status);
  vorax::cli::addPanelsCommand(app, status);
  vorax::cli::addConvertCommand(app, status);
  vorax::cli::addQcCommand(app, status);
  vorax::cli::addScriptOptions(app);

  return vorax::cli::strictStatus(vorax::cli::runCommandLine(app, argc, argv, status));
}
