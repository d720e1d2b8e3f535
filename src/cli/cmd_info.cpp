// vorax info [--json] FILE: the header summary of a record.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_record.h"
#include "cli/commands.h"
#include "cli/record_json.h"
#include "decode/conversions.h"

namespace vorax::cli {

namespace {

void printLine(const char* caption, std::string_view value) {
  std::printf("%-22s %.*s\n", caption, static_cast<int>(value.size()), value.data());
}

void printNumber(const char* caption, double value, const char* unit = "") {
  printLine(caption, decode::shortestText(value) + unit);
}

void printSummary(const CliRecord& r) {
  const decode::RecordSummary& s = r.record.summary;
  printLine("File", r.record.fileName);
  printLine("File number", s.fileNumber.rtrimmed());
  printLine("Date", s.recordDate.rtrimmed());
  printLine("Time", s.recordTime.rtrimmed());
  printLine("Record type", s.recordType.rtrimmed());
  printLine("Tape number", s.tapeNumber.rtrimmed());
  printLine("Manufacturer", r.result.headers.gh1.manufacturerText.rtrimmed());
  printLine("Format", r.result.headers.gh1.formatText.rtrimmed());
  printNumber("Sample interval", s.sampleIntervalUs, " us");
  printNumber("Samples per trace", s.samplesPerTrace);
  printNumber("Record length", r.record.recordLengthMs, " ms");
  printNumber("Traces", s.traceCount);
  printNumber("Source line", s.sourceLine);
  printNumber("Source point", s.sourcePoint);
  printLine("Source X Y Z", decode::shortestText(s.sourceX) + " " +
                                decode::shortestText(s.sourceY) + " " +
                                decode::shortestText(s.sourceZ));
  if (s.gpsLatitude && s.gpsLongitude)
    printLine("GPS position",
              decode::shortestText(*s.gpsLatitude) + " " + decode::shortestText(*s.gpsLongitude));
  printLine("Time break", s.timeBreakKind.rtrimmed());
  printLine("Filter", s.filter.rtrimmed());
  printNumber("Uphole time", s.upholeTime);
  printNumber("First trace at byte", r.result.firstTracePosition);
}

// A header record's fields, one a line, for a record that did not open.
template <typename Record>
void printFields(const char* title, const Record& record) {
  std::printf("%s\n", title);
  record.visit([](std::string_view name, const auto& field) {
    std::string value;
    if constexpr (requires { field.rtrimmed(); }) {
      value = field.rtrimmed();
    } else {
      value = decode::shortestText(field);
    }
    std::printf("  %-28.*s %s\n", static_cast<int>(name.size()), name.data(), value.c_str());
  });
}

// What the header driver decoded before it stopped: general header blocks 1 and 2.
void printDecodedHeaders(const decode::DecodedHeaders& h) {
  if (h.reached >= decode::HeaderStage::Gh1) printFields("General header 1", h.gh1);
  if (h.reached >= decode::HeaderStage::Gh2) printFields("General header 2", h.gh2);
}

bool isSeg2(const CliRecord& r) {
  return r.result.flavour == decode::RecordFlavour::Seg2;
}

struct InfoArgs {
  std::string file;
  std::int32_t record = 0;
  bool json = false;
};

int runInfo(const InfoArgs& args) {
  CliRecord r;
  openForCommand("info", args.file, false, r, decode::LoaderChoice::Auto, args.record);
  if (r.exitStatus == 2) return 2;
  if (args.json) {
    std::printf("%s\n", jsonText(infoJson(r.record, r.result, r.messages.messages)).c_str());
  } else if (r.result.ok()) {
    printSummary(r);
  } else if (!isSeg2(r)) {
    printDecodedHeaders(r.result.headers);
  }
  return r.exitStatus;
}

}  // namespace

void addInfoCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<InfoArgs>();
  CLI::App* command = app.add_subcommand("info", "The header summary of a record.");
  command->add_option("FILE", args->file, "SEG-D or SEG-2 record")->required();
  command->add_flag("--json", args->json,
                    "every decoded header and the decoder messages as JSON instead of a summary");
  command
      ->add_option("--record", args->record,
                   "which record of a file holding several, from 1; by default the first, with a "
                   "message saying how many the file holds")
      ->check(CLI::Range(1, 1000000));
  command->callback([args, &status] { status = runInfo(*args); });
}

}  // namespace vorax::cli
