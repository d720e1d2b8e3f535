// The subcommands of the `vorax` command line.
#pragma once

namespace CLI {
class App;
}

namespace vorax::cli {

// Adds the subcommand to `app`; when it runs, its exit status is stored in `status`
// (0 success, 1 a fatal decoder result, 2 a usage or file error).
void addInfoCommand(CLI::App& app, int& status);           // cmd_info.cpp
void addTracesCommand(CLI::App& app, int& status);         // cmd_traces.cpp
void addDecodeCommand(CLI::App& app, int& status);         // cmd_decode.cpp
void addRenderCommand(CLI::App& app, int& status);         // cmd_render.cpp
void addSynthCommand(CLI::App& app, int& status);          // cmd_synth.cpp
void addSettingsCommand(CLI::App& app, int& status);       // cmd_settings.cpp
void addVibsimCommand(CLI::App& app, int& status);         // cmd_vibsim.cpp
void addRadiosimCommand(CLI::App& app, int& status);       // cmd_radiosim.cpp
void addSpreadCommand(CLI::App& app, int& status);         // cmd_spread.cpp
void addFsliceCommand(CLI::App& app, int& status);         // cmd_fslice.cpp
void addTsliceCommand(CLI::App& app, int& status);         // cmd_tslice.cpp
void addTraceCommand(CLI::App& app, int& status);          // cmd_trace.cpp
void addSelectionCommand(CLI::App& app, int& status);      // cmd_selection.cpp
void addVibsimAnalyseCommand(CLI::App& app, int& status);  // cmd_vibsim_analyse.cpp
void addSumDiffCommand(CLI::App& app, int& status);        // cmd_sumdiff.cpp
void addFixRadioCommand(CLI::App& app, int& status);       // cmd_fix_radio.cpp
void addSplitCommand(CLI::App& app, int& status);          // cmd_split.cpp
void addFilterCommand(CLI::App& app, int& status);         // cmd_filter.cpp
void addPanelsCommand(CLI::App& app, int& status);         // cmd_panels.cpp
void addConvertCommand(CLI::App& app, int& status);        // cmd_convert.cpp
void addQcCommand(CLI::App& app, int& status);             // cmd_qc.cpp (qc, qc-merge)

}  // namespace vorax::cli
