// The parts of a SEG-2 file as text records: the file descriptor block header, the trace
// descriptor block header and the keyword strings of the file and trace descriptors.
//
// A SEG-2 file states its byte order in its first word: stored as 55 3A it was written on a
// PC (little-endian), as 3A 55 on a UNIX machine (big-endian). Byte positions in the comments
// are 1-based within the block passed; "value" is the decimal text of the field's bytes taken
// as one unsigned number, most significant byte first after any byte-order reversal. A shorter
// buffer reads as if padded with zero bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {

// File descriptor block header (the first 32 bytes of the file).
struct Seg2FileHeaderFields {
  FixedText<4> identifier;             // hex 1-2 as stored: "553A" (PC) or "3A55" (UNIX)
  FixedText<4> revision;               // hex 3-4, most significant byte first
  FixedText<4> tracePointerBlockSize;  // value 5-6
  FixedText<4> traceCount;             // value 7-8
  FixedText<2> stringTerminatorCount;  // value 9
  FixedText<2> stringTerminatorCode1;  // value 10
  FixedText<2> stringTerminatorCode2;  // value 11
  FixedText<2> lineTerminatorCount;    // value 12
  FixedText<2> lineTerminatorCode1;    // value 13
  FixedText<2> lineTerminatorCode2;    // value 14
  FixedText<1> byteOrderFlag;          // "1" PC order, "-" UNIX order
  FixedText<4> machine;                // "PC  " or "UNIX"
  FixedText<2> stringTerminator;       // the characters of bytes 10 and 11
  FixedText<2> lineTerminator;         // the characters of bytes 13 and 14
  FixedText<16> message;

  template <typename V>
  void visit(V&& v) const {
    v("identifier", identifier);
    v("revision", revision);
    v("trace_pointer_block_size", tracePointerBlockSize);
    v("trace_count", traceCount);
    v("string_terminator_count", stringTerminatorCount);
    v("string_terminator_code_1", stringTerminatorCode1);
    v("string_terminator_code_2", stringTerminatorCode2);
    v("line_terminator_count", lineTerminatorCount);
    v("line_terminator_code_1", lineTerminatorCode1);
    v("line_terminator_code_2", lineTerminatorCode2);
    v("byte_order_flag", byteOrderFlag);
    v("machine", machine);
    v("string_terminator", stringTerminator);
    v("line_terminator", lineTerminator);
    v("message", message);
  }
};

// Trace descriptor block header (the first 32 bytes of a trace descriptor block).
struct Seg2TraceHeaderFields {
  FixedText<4> identifier;      // hex 1-2, most significant byte first: "4422"
  FixedText<4> blockSize;       // value 3-4
  FixedText<8> dataBlockSize;   // value 5-8
  FixedText<8> sampleCount;     // value 9-12
  FixedText<2> dataFormatCode;  // value 13
  FixedText<40> dataFormatText;
  FixedText<60> message;

  template <typename V>
  void visit(V&& v) const {
    v("identifier", identifier);
    v("block_size", blockSize);
    v("data_block_size", dataBlockSize);
    v("sample_count", sampleCount);
    v("data_format_code", dataFormatCode);
    v("data_format_text", dataFormatText);
    v("message", message);
  }
};

// The keyword values of a trace descriptor, one field per keyword; a keyword's location is
// split into X, Y and Z.
struct Seg2TraceDescriptorFields {
  FixedText<30> aliasFilter;
  FixedText<30> amplitudeRecovery;
  FixedText<30> bandRejectFilter;
  FixedText<30> cdpNumber;
  FixedText<30> cdpTrace;
  FixedText<10> channelNumber;
  FixedText<30> datum;
  FixedText<30> delay;
  FixedText<30> descalingFactor;
  FixedText<30> digitalBandRejectFilter;
  FixedText<30> digitalHighCutFilter;
  FixedText<30> digitalLowCutFilter;
  FixedText<10> endOfGroup;
  FixedText<30> fixedGain;
  FixedText<30> highCutFilter;
  FixedText<30> lineId;
  FixedText<30> lowCutFilter;
  FixedText<30> notchFrequency;
  FixedText<4> polarity;
  FixedText<40> rawRecord;
  FixedText<30> receiver;
  FixedText<30> receiverGeometry;
  FixedText<15> receiverLocationX;
  FixedText<15> receiverLocationY;
  FixedText<15> receiverLocationZ;
  FixedText<30> receiverSpecs;
  FixedText<30> receiverStationNumber;
  FixedText<30> sampleInterval;
  FixedText<10> shotSequenceNumber;
  FixedText<30> skew;
  FixedText<30> source;
  FixedText<30> sourceGeometry;
  FixedText<15> sourceLocationX;
  FixedText<15> sourceLocationY;
  FixedText<15> sourceLocationZ;
  FixedText<30> sourceStationNumber;
  FixedText<10> stack;
  FixedText<30> staticCorrections;
  FixedText<30> traceType;
  FixedText<70> note;

  template <typename V>
  void visit(V&& v) const {
    v("alias_filter", aliasFilter);
    v("amplitude_recovery", amplitudeRecovery);
    v("band_reject_filter", bandRejectFilter);
    v("cdp_number", cdpNumber);
    v("cdp_trace", cdpTrace);
    v("channel_number", channelNumber);
    v("datum", datum);
    v("delay", delay);
    v("descaling_factor", descalingFactor);
    v("digital_band_reject_filter", digitalBandRejectFilter);
    v("digital_high_cut_filter", digitalHighCutFilter);
    v("digital_low_cut_filter", digitalLowCutFilter);
    v("end_of_group", endOfGroup);
    v("fixed_gain", fixedGain);
    v("high_cut_filter", highCutFilter);
    v("line_id", lineId);
    v("low_cut_filter", lowCutFilter);
    v("notch_frequency", notchFrequency);
    v("polarity", polarity);
    v("raw_record", rawRecord);
    v("receiver", receiver);
    v("receiver_geometry", receiverGeometry);
    v("receiver_location_x", receiverLocationX);
    v("receiver_location_y", receiverLocationY);
    v("receiver_location_z", receiverLocationZ);
    v("receiver_specs", receiverSpecs);
    v("receiver_station_number", receiverStationNumber);
    v("sample_interval", sampleInterval);
    v("shot_sequence_number", shotSequenceNumber);
    v("skew", skew);
    v("source", source);
    v("source_geometry", sourceGeometry);
    v("source_location_x", sourceLocationX);
    v("source_location_y", sourceLocationY);
    v("source_location_z", sourceLocationZ);
    v("source_station_number", sourceStationNumber);
    v("stack", stack);
    v("static_corrections", staticCorrections);
    v("trace_type", traceType);
    v("note", note);
  }
};

// The keyword values of the file descriptor.
struct Seg2FileDescriptorFields {
  FixedText<30> acquisitionDate;
  FixedText<30> acquisitionTime;
  FixedText<40> client;
  FixedText<40> company;
  FixedText<40> generalConstant;
  FixedText<40> instrument;
  FixedText<40> jobId;
  FixedText<40> observer;
  FixedText<30> processingDate;
  FixedText<30> processingTime;
  FixedText<30> traceSort;
  FixedText<30> units;
  FixedText<604> note;

  template <typename V>
  void visit(V&& v) const {
    v("acquisition_date", acquisitionDate);
    v("acquisition_time", acquisitionTime);
    v("client", client);
    v("company", company);
    v("general_constant", generalConstant);
    v("instrument", instrument);
    v("job_id", jobId);
    v("observer", observer);
    v("processing_date", processingDate);
    v("processing_time", processingTime);
    v("trace_sort", traceSort);
    v("units", units);
    v("note", note);
  }
};

// The first 32 bytes of the file. 0, or -1 with "Not a SEG 2 File" when the identifier is
// neither order's; the later fields are then left as they were.
std::int32_t DECODESEG2FILEHEADER(Bytes buffer, Seg2FileHeaderFields& out);

// The first 32 bytes of a trace descriptor block; `byteOrderFlag` is the file header's flag
// ("1" for PC order, anything else UNIX order). 0, or -1 for a wrong identifier (later fields
// left as they were) or an unknown data format code.
std::int32_t DECODESEG2TRACEHEADER(Bytes buffer, std::string_view byteOrderFlag,
                                   Seg2TraceHeaderFields& out);

// Keyword strings. `area` is handed over from its first byte, which with the byte after it is
// skipped (the length word of the first string); the rest is split at `terminator` (the
// file's string terminator, as many characters as its count says; empty means no split).
// Each element's keyword is the one standing earliest in it as a word of its own, so that
// longer names such as "ACQUISITION_TIME_UTC" or "DIGITAL_LOW_CUT_FILTER" never fill the
// field of the keyword they begin or end with; "RECEIVER" and "SOURCE" count only in an
// element without "_". The value is what follows the keyword and one separator character,
// cut to the field's width; the locations are split at blanks into X, Y and Z. Keywords not
// found leave their fields as they were, so the strings of one descriptor may be handed
// over one at a time. Always 0.
std::int32_t DECODESEG2FILEDESCRIPTOR(Bytes area, std::string_view terminator,
                                      Seg2FileDescriptorFields& out);
std::int32_t DECODESEG2TRACEDESCRIPTOR(Bytes area, std::string_view terminator,
                                       Seg2TraceDescriptorFields& out);

// Decimal text of all the bytes taken as one unsigned number, first byte most significant:
// {0x01, 0x00} -> "256". Any length; no bytes give "0".
std::string hexvalue(Bytes bytes);

}  // namespace vorax::decode
