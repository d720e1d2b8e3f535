// Fast numeric views of a Sercel 408 record without the text records of the full decoders,
// and the file header of a Sercel VQC-88 vibrator-QC file.
//
// Byte positions in the comments are 1-based within the buffer passed. Integers without
// another note are big-endian unsigned binary; "single"/"double" are big-endian IEEE values.
// A shorter buffer reads as if padded with zero bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/byte_reader.h"
#include "base/fixed_text.h"

namespace vorax::decode {

// A whole Sercel 408 file header: three general header blocks, sixteen 32-byte channel set
// descriptors, then the 1024-byte extended header from file byte 609 (its byte n is file
// byte 608 + n).
struct QuickFileHeader {
  std::int32_t fileNumber = 0;             // numeric value of the hex digits of 1-2
  FixedText<10> date;                      // year 11, day of year 12-13
  FixedText<8> time;                       // hex 14, 15, 16 joined by ":"
  FixedText<16> tapeLabel;                 // characters 1133-1148, trimmed
  FixedText<4> tapeNumber;                 // decimal 1149-1152
  FixedText<4> formatCode;                 // hex 3-4
  float sampleInterval = 0;                // seconds, from the code of byte 23
  std::int32_t samplesPerTrace = 0;        // 641-644
  std::int32_t recordType = 0;             // first hex digit of 26
  std::int32_t testRecordType = 0;         // 653-656
  float sourceLine = 0;                    // fractional 68-72
  float sourcePoint = 0;                   // fractional 73-77
  double sourceX = 0;                      // double 1181-1188
  double sourceY = 0;                      // double 1189-1196
  float sourceZ = 0;                       // single 1197-1200
  std::int32_t totalTraces = 0;            // 617-620
  std::int32_t auxiliaryTraces = 0;        // 621-624
  std::int32_t seismicTraces = 0;          // 625-628
  std::int32_t spreadFirstLine = 0;        // 657-660
  std::int32_t spreadFirstNumber = 0;      // 661-664
  std::int32_t internalTimeBreak = 0;      // 697-700
  std::int32_t blasterStatus = 0;          // 685-688
  float maximumAuxiliaryAmplitude = 0;     // single 1121-1124
  float maximumSeismicAmplitude = 0;       // single 1125-1128
  std::int32_t acquisitionFilterType = 0;  // 1373-1376
  FixedText<60> message;

  template <typename V>
  void visit(V&& v) const {
    v("file_number", fileNumber);
    v("date", date);
    v("time", time);
    v("tape_label", tapeLabel);
    v("tape_number", tapeNumber);
    v("format_code", formatCode);
    v("sample_interval", sampleInterval);
    v("samples_per_trace", samplesPerTrace);
    v("record_type", recordType);
    v("test_record_type", testRecordType);
    v("source_line", sourceLine);
    v("source_point", sourcePoint);
    v("source_x", sourceX);
    v("source_y", sourceY);
    v("source_z", sourceZ);
    v("total_traces", totalTraces);
    v("auxiliary_traces", auxiliaryTraces);
    v("seismic_traces", seismicTraces);
    v("spread_first_line", spreadFirstLine);
    v("spread_first_number", spreadFirstNumber);
    v("internal_time_break", internalTimeBreak);
    v("blaster_status", blasterStatus);
    v("maximum_auxiliary_amplitude", maximumAuxiliaryAmplitude);
    v("maximum_seismic_amplitude", maximumSeismicAmplitude);
    v("acquisition_filter_type", acquisitionFilterType);
    v("message", message);
  }
};

// One Sercel trace: the record-level values copied from the QuickFileHeader, then the values
// of the 244-byte trace header (20-byte header and extension blocks 1-7; block k byte n is
// trace-header byte 20 + 32 (k - 1) + n).
struct QuickTraceHeader {
  std::int32_t fileNumber = 0;
  FixedText<10> date;
  FixedText<8> time;
  FixedText<16> tapeLabel;
  FixedText<4> tapeNumber;
  float sampleInterval = 0;
  std::int32_t samplesPerTrace = 0;
  std::int32_t recordType = 0;
  float sourceLine = 0;
  float sourcePoint = 0;
  float sourceX = 0;
  float sourceY = 0;
  float sourceZ = 0;
  float receiverLine = 0;                    // 21-23
  float receiverPoint = 0;                   // 24-26
  double receiverX = 0;                      // double 53-60
  double receiverY = 0;                      // double 61-68
  float receiverZ = 0;                       // single 69-72
  std::int32_t sensorType = 0;               // 41
  float resistance = 0;                      // single 93-96
  float capacitance = 0;                     // single 125-128
  float tilt = 0;                            // single 101-104
  float leakage = 0;                         // single 153-156
  std::int32_t resistanceError = 0;          // 105
  std::int32_t capacitanceError = 0;         // 141
  std::int32_t tiltError = 0;                // 106
  std::int32_t leakageError = 0;             // 173
  std::int32_t unitSerialNumber = 0;         // 182-184
  std::int32_t channelNumber = 0;            // 185
  std::int32_t channelType = 0;              // 227 (block 7)
  std::int32_t controlUnitType = 0;          // 213
  std::int32_t controlUnitSerialNumber = 0;  // 214-216
  std::int32_t channelFilter = 0;            // 218
  float mvConversionFactor = 0;              // from the gain code of 217
  float traceMaximumValue = 0;               // single 229-232
  std::int32_t interpolationCount = 0;       // 237-240
  FixedText<20> controlUnitText;
  FixedText<20> filterText;
  FixedText<60> message;

  template <typename V>
  void visit(V&& v) const {
    v("file_number", fileNumber);
    v("date", date);
    v("time", time);
    v("tape_label", tapeLabel);
    v("tape_number", tapeNumber);
    v("sample_interval", sampleInterval);
    v("samples_per_trace", samplesPerTrace);
    v("record_type", recordType);
    v("source_line", sourceLine);
    v("source_point", sourcePoint);
    v("source_x", sourceX);
    v("source_y", sourceY);
    v("source_z", sourceZ);
    v("receiver_line", receiverLine);
    v("receiver_point", receiverPoint);
    v("receiver_x", receiverX);
    v("receiver_y", receiverY);
    v("receiver_z", receiverZ);
    v("sensor_type", sensorType);
    v("resistance", resistance);
    v("capacitance", capacitance);
    v("tilt", tilt);
    v("leakage", leakage);
    v("resistance_error", resistanceError);
    v("capacitance_error", capacitanceError);
    v("tilt_error", tiltError);
    v("leakage_error", leakageError);
    v("unit_serial_number", unitSerialNumber);
    v("channel_number", channelNumber);
    v("channel_type", channelType);
    v("control_unit_type", controlUnitType);
    v("control_unit_serial_number", controlUnitSerialNumber);
    v("channel_filter", channelFilter);
    v("mv_conversion_factor", mvConversionFactor);
    v("trace_maximum_value", traceMaximumValue);
    v("interpolation_count", interpolationCount);
    v("control_unit_text", controlUnitText);
    v("filter_text", filterText);
    v("message", message);
  }
};

// One entry of the VQC-88 table: each part cut at its first zero byte.
struct Vqc88TableEntry {
  FixedText<6> code;
  FixedText<17> name;
  FixedText<17> value;
};

// The file header of a VQC-88 file (2656 bytes are read).
struct Vqc88FileHeader {
  FixedText<4> formatCode;                // hex 3-4, "8765"
  FixedText<8> bytes609To612;             // decimal
  FixedText<8> bytes613To616;             // decimal
  FixedText<8> bytes617To620;             // hex
  FixedText<8> bytes657To660;             // decimal
  FixedText<8> bytes1261To1264;           // decimal
  std::array<Vqc88TableEntry, 10> table;  // 37 bytes each from byte 1633
  std::array<FixedText<20>, 3> texts;     // first three zero-separated parts of 2033-2432
  FixedText<100> text2433To2532;          // up to the first zero byte
  FixedText<124> text2533To2656;          // up to the first zero byte
  FixedText<60> message;

  template <typename V>
  void visit(V&& v) const {
    v("format_code", formatCode);
    v("bytes_609_to_612", bytes609To612);
    v("bytes_613_to_616", bytes613To616);
    v("bytes_617_to_620", bytes617To620);
    v("bytes_657_to_660", bytes657To660);
    v("bytes_1261_to_1264", bytes1261To1264);
    for (std::size_t k = 0; k < table.size(); ++k) {
      std::string prefix = "table_" + std::to_string(k + 1) + "_";
      v(prefix + "code", table[k].code);
      v(prefix + "name", table[k].name);
      v(prefix + "value", table[k].value);
    }
    for (std::size_t k = 0; k < texts.size(); ++k) v("text_" + std::to_string(k + 1), texts[k]);
    v("text_2433_to_2532", text2433To2532);
    v("text_2533_to_2656", text2533To2656);
    v("message", message);
  }
};

// 0; -1 for a format code other than "8058", -3 for an unknown sample interval code, -4 for
// an acquisition filter type outside 1-3. On -1 and -3 the fields after the failing one are
// left as they were.
std::int32_t quick408fhl(Bytes fileHeader, QuickFileHeader& out);

// 0; -1 for an unknown control unit type, -2 for an unknown filter code (both are checked;
// the later one wins). Every field is filled either way.
std::int32_t quick408gettracehl(Bytes traceHeader, QuickTraceHeader& out,
                                const QuickFileHeader& fileHeader);

// 0, or -1 when the format code is not "8765" (the fields are decoded all the same).
std::int32_t vqc88decodefileheader(Bytes fileHeader, Vqc88FileHeader& out);

}  // namespace vorax::decode
