// vorax info [--json] FILE: the header summary of a record.
#include <cstdio>
#include <string>

#include "cli/cli_record.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/record_json.h"
#include "cli/seg2_json.h"
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
  printLine("Source X Y Z", decode::shortestText(s.sourceX) + " " + decode::shortestText(s.sourceY) +
                                " " + decode::shortestText(s.sourceZ));
  printLine("Time break", s.timeBreakKind.rtrimmed());
  printLine("Filter", s.filter.rtrimmed());
  printNumber("Uphole time", s.upholeTime);
  printNumber("First trace at byte", r.result.firstTracePosition);
}

Json infoJson(const CliRecord& r) {
  Json out = Json::object();
  out.set("first_trace_position", r.result.firstTracePosition);
  out.set("messages", textListJson(r.messages.messages));
  if (!r.result.ok()) return out;
  out.set("record", summaryJson(r.record));
  if (r.result.flavour == decode::RecordFlavour::Seg2) {
    addSeg2HeadersJson(r.result.seg2, out);
  } else {
    addHeadersJson(r.result.headers, out);
  }
  return out;
}

}  // namespace

int runInfo(Args args) {
  const ParsedArgs parsed = parseArgs(args, {"--json"}, {});
  if (!parsed.error.empty() || parsed.positional.size() != 1) {
    std::fprintf(stderr, "vorax info: %s\nusage: vorax info [--json] FILE\n",
                 parsed.error.empty() ? "one FILE expected" : parsed.error.c_str());
    return 2;
  }
  CliRecord r;
  openForCommand("info", parsed.positional[0], false, r);
  if (r.exitStatus == 2) return 2;
  if (parsed.has("--json")) {
    std::printf("%s\n", infoJson(r).dump().c_str());
  } else if (r.result.ok()) {
    printSummary(r);
  }
  return r.exitStatus;
}

}  // namespace vorax::cli
