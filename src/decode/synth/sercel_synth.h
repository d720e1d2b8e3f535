// Synthetic Sercel 428-style shot records (manufacturer 13, model code 5, format 8058): three
// general header blocks (block 3 the standard one, with the source line and point), channel
// set 1 auxiliary and channel set 2 seismic, a 1024-byte Sercel extended header, an external
// header whose block count general header block 2 holds in binary (block 1 says "FF"), then
// per trace the 20-byte trace header, seven 32-byte extension blocks and big-endian IEEE
// samples.
//
// Auxiliary traces come first (time break, uphole, then low noise), as Sercel recorders write
// them. The seismic traces carry receiver test values with limits and error flags: most
// within their limits, a regular few beyond them in each direction with one error flag, a
// few with two, and on request a run of tilt errors. The same options give the same bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "decode/synth/synth_blocks.h"
#include "decode/synth/synth_signal.h"
#include "decode/synth/synth_writer.h"

namespace vorax::decode::synth {

struct SercelSynthOptions {
  int seismicTraces = 120;
  int auxTraces = 2;  // 0..99, channel type identification 9
  int samplesPerTrace = 1001;
  double sampleIntervalMs = 2;  // 0.25, 0.5, 1, 2 or 4
  std::uint32_t seed = 1;
  int fileNumber = 1;         // 1..9999
  int receiverLines = 3;      // 1..99
  int tiltErrorTraces = 0;    // seismic traces 1..this carry a tilt error
  bool receiverTests = true;  // false: blocks 3-5 all 0xFF bytes (NaN), as when none were run
  int tapeNumber = 7;
  RecordClock clock;
  double sourceLine = 3001;  // up to four decimals are kept
  double sourcePoint = 1041.5;
  double sourceElevation = 123.5;  // (m); the shot sits at the centre of the spread
  int upholeTimeMs = 12;
  SpreadLayout spread;  // receiverCount and lines come from the fields above
  ShotModel model;
};

// Empty when the options can be written, else what is wrong with them.
std::string checkSercelSynthOptions(const SercelSynthOptions& options);

// One receiver's test values as written in extension blocks 3, 4 and 5.
struct ReceiverTest {
  float resistance = 0;
  float resistanceLowLimit = 0;
  float resistanceHighLimit = 0;
  int resistanceError = 0;
  float capacitance = 0;
  float capacitanceLowLimit = 0;
  float capacitanceHighLimit = 0;
  int capacitanceError = 0;
  float tilt = 0;
  float tiltLimit = 0;
  int tiltError = 0;
  float leakage = 0;
  float leakageLimit = 0;
  int leakageError = 0;
};

// Limits of every seismic trace (ohm, nF, percent, megohm).
inline constexpr float kResistanceLowLimit = 250;
inline constexpr float kResistanceHighLimit = 500;
inline constexpr float kCapacitanceLowLimit = 80;
inline constexpr float kCapacitanceHighLimit = 120;
inline constexpr float kTiltLimit = 10;
inline constexpr float kLeakageLimit = 1;

// Test values of seismic trace s (1-based within the seismic traces). Of every 20 traces,
// trace 14 has a resistance above its high limit, 15 one below its low limit, 16 a
// capacitance beyond one of its limits, 17 a tilt beyond its limit, 18 a leakage below its
// limit, 19 two errors (resistance and tilt, or capacitance and leakage); the rest pass.
ReceiverTest receiverTestFor(const SercelSynthOptions& options, int s);

SpreadLayout sercelSpreadOf(const SercelSynthOptions& options);

// The samples of trace t (1-based, file order) exactly as written.
std::vector<float> sercelTraceSamples(const SercelSynthOptions& options, int t);

// Writes one record through `sink`, trace by trace. False when the sink refused bytes. The
// options must have passed checkSercelSynthOptions.
bool writeSercelRecord(const SercelSynthOptions& options, const ByteSink& sink);

// The whole record in memory (tests, fuzz seeds, benchmarks).
std::vector<std::uint8_t> sercelRecordBytes(const SercelSynthOptions& options);

// Writes one record per file number, one after another, to `path` atomically; record k gets
// file number fileNumbers[k] and seed + k. An empty list writes one record with the options'
// own file number. Returns an error text, or an empty text on success.
std::string writeSercelRecords(const std::filesystem::path& path, const SercelSynthOptions& options,
                               std::span<const int> fileNumbers);

}  // namespace vorax::decode::synth
