// The header layout of a standard SEG-D record, revisions 1, 2.x and 3.0, as the public
// SEG-D standard defines it: general header blocks, channel set descriptors (32 bytes before
// revision 3, 96 bytes from it), skew, extended and external headers. Used for records of
// recorders whose manufacturer code is neither VORAX (31) nor Sercel (13): nodal recorders
// and the like. Numbers here are values, not texts; byte positions in comments are 1-based
// as the standard counts them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"

namespace vorax::decode {

struct StandardChannelSet {
  int scanType = 0;
  int number = 0;
  int typeCode = 0;  // the channel type's high digit: 1 seismic, 9 auxiliary, ...
  double startMs = 0;
  double endMs = 0;
  // From the descriptor (revision 3) or its start/end times and interval; once the traces
  // are read, the count their extension 1 gives, where it gives one.
  std::int64_t samples = 0;
  double sampleIntervalUs = 0;
  std::int64_t channels = 0;
  int extensions = 0;  // trace header extensions the descriptor announces
  double descale = 1;  // revision 3 sample descale multiplication factor

  bool seismic() const { return typeCode == 1; }
};

struct StandardHeaders {
  int revisionMajor = 0;
  int revisionMinor = 0;
  int formatCode = 0;  // e.g. 8058
  int manufacturerCode = 0;
  std::int64_t fileNumber = 0;
  int year = 0;  // two digits, as recorded
  int dayOfYear = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  double baseScanIntervalUs = 0;
  int recordType = 0;
  double recordLengthMs = 0;  // 0 when the header gives none
  int scanTypes = 0;
  int channelSetsPerScanType = 0;
  double sourceLine = 0;
  double sourcePoint = 0;
  std::uint64_t generalHeaderBytes = 0;
  std::uint64_t channelSetBytes = 0;  // each descriptor: 32 or 96
  std::uint64_t skewBytes = 0;        // after each scan type's descriptors
  std::uint64_t extendedHeaderBytes = 0;
  std::uint64_t externalHeaderBytes = 0;
  std::uint64_t firstTraceOffset = 0;  // 0-based
  std::vector<StandardChannelSet> channelSets;

  std::int64_t declaredTraces() const;
  // The descriptor a trace header names, or null when none matches.
  const StandardChannelSet* channelSet(int scanType, int number) const;
};

// True when the first general header block names a manufacturer other than VORAX (31) and
// Sercel (13): the record opener reads such a record with the standard reader.
bool isStandardManufacturer(Bytes generalHeader1);

// The sample formats the standard reader converts.
bool isStandardSampleFormat(int formatCode);

// Decodes the headers from `head`, the first bytes of a file of `fileSize` bytes. Returns the
// reason the record cannot be read (the file ends inside its headers, a count is impossible),
// or an empty text: then either `out` is complete, or `head` was too short for the general
// headers and channel set descriptors and moreBytesNeeded says how many the call needs.
std::string readStandardHeaders(Bytes head, std::uint64_t fileSize, StandardHeaders& out,
                                std::uint64_t& moreBytesNeeded);

}  // namespace vorax::decode
