// Synthetic VORAX-flavour shot records (manufacturer 31, format 8058): three general header
// blocks, channel set 1 seismic and optionally channel set 2 auxiliary, the 64-byte VORAX
// extended header, an external header of readable text, then per trace the 20-byte trace
// header, one 32-byte extension block and big-endian IEEE samples.
//
// Seismic traces come first (channel set 1), then the auxiliary traces (channel set 2: time
// break, uphole, then dummies). One seismic trace is dead (zeros, trace edit code 2) and one
// has its polarity reversed. The same options and seed give the same bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "decode/synth/synth_blocks.h"
#include "decode/synth/synth_signal.h"

namespace vorax::decode::synth {

struct SynthOptions {
  int seismicTraces = 96;
  int auxTraces = 2;  // 0..14
  int samplesPerTrace = 1001;
  double sampleIntervalMs = 2;  // 0.25, 0.5, 1, 2 or 4
  std::uint32_t seed = 1;
  int fileNumber = 1;      // 1..999999
  int receiverLines = 4;   // 1..9 (one cable digit per line)
  int deadTrace = -1;      // seismic trace number; -1 a third along, 0 none
  int reversedTrace = -1;  // seismic trace number; -1 two thirds along, 0 none
  int tapeNumber = 17;
  RecordClock clock;
  double sourceLine = 3001;  // up to four decimals are kept
  double sourcePoint = 1041.5;
  double sourceElevation = 123.45;  // (m); the shot sits at the centre of the spread
  double upholeTimeMs = 12.5;       // kept in tenths of a millisecond
  bool internalTimeBreak = false;   // "ITB" instead of "FTB"
  bool minimumPhase = false;        // recorder filter "Minimum Phase" instead of "Linear Phase"
  SpreadLayout spread;              // receiverCount is taken from seismicTraces
  ShotModel model;
  // When set, trace t's samples (samplesPerTrace values) come from here instead of the shot
  // model: records of other kinds of test (vibrator similarity) with the same headers.
  std::function<std::vector<float>(int t)> traceSource;
};

// Empty when the options can be written, else what is wrong with them.
std::string checkSynthOptions(const SynthOptions& options);

// The seismic trace numbers chosen for the dead and the reversed trace (0: none).
int deadTraceNumber(const SynthOptions& options);
int reversedTraceNumber(const SynthOptions& options);

// The spread of the options (its receiver count is the seismic trace count).
SpreadLayout spreadOf(const SynthOptions& options);
// Source position: the centre of the spread.
Position sourcePosition(const SynthOptions& options);

// The samples of trace t (1-based, file order) exactly as written, before the byte order
// is changed. Each trace has its own noise sequence, so any trace can be made alone.
std::vector<float> synthTraceSamples(const SynthOptions& options, int t);

// Receives the record's bytes in file order; returns false to stop writing.
using ByteSink = std::function<bool(Bytes)>;

// Writes one record through `sink`, trace by trace (memory stays one trace deep). Returns
// false when the sink refused bytes. The options must have passed checkSynthOptions.
bool writeVoraxRecord(const SynthOptions& options, const ByteSink& sink);

// The whole record in memory (tests, fuzz seeds).
std::vector<std::uint8_t> voraxRecordBytes(const SynthOptions& options);

// Checks the options and writes the record to `path` atomically. Returns an error text, or an
// empty text on success.
std::string writeSyntheticRecord(const std::filesystem::path& path, const SynthOptions& options);

}  // namespace vorax::decode::synth
