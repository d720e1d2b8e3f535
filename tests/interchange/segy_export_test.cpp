// SEG-Y files written by the exporter, read back with segyio's C library.
#include "interchange/segy_export.h"

#include <gtest/gtest.h>
#include <segyio/segy.h>

#include <memory>

#include "decode/synth/synth_writer.h"
#include "test_support.h"

namespace vorax::interchange {
namespace {

// A SEG-Y file as segyio reads it.
class SegyReadBack {
 public:
  explicit SegyReadBack(const std::filesystem::path& path)
      : file_(segy_open(path.string().c_str(), "rb"), segy_close) {
    if (!file_) return;
    text_.resize(SEGY_TEXT_HEADER_SIZE + 1);
    segy_read_textheader(file_.get(), text_.data());
    text_.resize(SEGY_TEXT_HEADER_SIZE);
    segy_binheader(file_.get(), binary_);
    samples_ = segy_samples(binary_);
    traceBytes_ = segy_trsize(SEGY_IEEE_FLOAT_4_BYTE, samples_);
    segy_set_format(file_.get(), SEGY_IEEE_FLOAT_4_BYTE);
    segy_traces(file_.get(), &traces_, segy_trace0(binary_), traceBytes_);
  }
  bool opened() const { return file_ != nullptr; }
  const std::string& text() const { return text_; }
  int traces() const { return traces_; }
  int samples() const { return samples_; }
  std::int32_t binaryField(int field) const {
    std::int32_t value = 0;
    segy_get_bfield(binary_, field, &value);
    return value;
  }
  // Trace k's (0-based) header field.
  std::int32_t field(int k, int field) {
    char header[SEGY_TRACE_HEADER_SIZE];
    segy_traceheader(file_.get(), k, header, segy_trace0(binary_), traceBytes_);
    std::int32_t value = 0;
    segy_get_field(header, field, &value);
    return value;
  }
  std::vector<float> trace(int k) {
    std::vector<float> out(static_cast<std::size_t>(samples_));
    segy_readtrace(file_.get(), k, out.data(), segy_trace0(binary_), traceBytes_);
    segy_to_native(SEGY_IEEE_FLOAT_4_BYTE, samples_, out.data());
    return out;
  }

 private:
  std::unique_ptr<segy_file, int (*)(segy_file*)> file_;
  std::string text_;
  char binary_[SEGY_BINARY_HEADER_SIZE] = {};
  int samples_ = 0;
  int traceBytes_ = 0;
  int traces_ = 0;
};

// Trace t of the test records holds (j % 8) / 2 - 2 at sample j, and 2t at sample 1: each
// trace's peak is a power of two, so that stored x divisor gives the written value exactly.
float recordedValue(int t, int j) {
  return j == 1 ? static_cast<float>(2 * t) : static_cast<float>(j % 8) / 2 - 2;
}

struct Opened {
  decode::SegdRecord record;
  decode::OpenResult result;
};

std::unique_ptr<Opened> synthRecord(const test::TempDir& dir, int fileNumber, int samples = 101) {
  decode::synth::SynthOptions options;
  options.seismicTraces = 12;
  options.receiverLines = 2;
  options.samplesPerTrace = samples;
  options.fileNumber = fileNumber;
  options.traceSource = [samples](int t) {
    std::vector<float> values(static_cast<std::size_t>(samples));
    for (int j = 0; j < samples; ++j) values[static_cast<std::size_t>(j)] = recordedValue(t, j);
    return values;
  };
  const std::filesystem::path path = dir / ("shot_" + std::to_string(fileNumber) + ".segd");
  EXPECT_EQ(decode::synth::writeSyntheticRecord(path, options), "");
  auto out = std::make_unique<Opened>();
  decode::CollectingMessages messages;
  out->result = decode::openRecord(path, out->record, messages, base::DebugLog{});
  EXPECT_TRUE(out->result.ok());
  return out;
}

TEST(SegyExport, RecordsReadBackWithTheirSamplesAndNumbers) {
  test::TempDir dir;
  const auto first = synthRecord(dir, 7);
  const auto second = synthRecord(dir, 8);
  const std::filesystem::path out = dir / "day.sgy";
  const SegyResult result = writeSegy(
      out,
      {segySourceOf(first->record, first->result), segySourceOf(second->record, second->result)},
      SegySort::AsRecorded);
  ASSERT_TRUE(result.ok()) << result.error;
  EXPECT_TRUE(result.warnings.empty());
  const int perRecord = first->record.loadedTraceCount();  // 12 seismic, 2 auxiliary
  ASSERT_EQ(perRecord, 14);
  EXPECT_EQ(result.traces, 2 * perRecord);

  SegyReadBack segy(out);
  ASSERT_TRUE(segy.opened());
  EXPECT_EQ(segy.traces(), 28);
  EXPECT_EQ(segy.samples(), 101);
  EXPECT_EQ(segy.binaryField(SEGY_BIN_INTERVAL), 2000);
  EXPECT_EQ(segy.binaryField(SEGY_BIN_FORMAT), 5);
  EXPECT_EQ(segy.binaryField(SEGY_BIN_SEGY_REVISION), 0x0100);
  EXPECT_EQ(segy.binaryField(SEGY_BIN_TRACES), 14);
  EXPECT_EQ(segy.binaryField(SEGY_BIN_AUX_TRACES), 2);
  EXPECT_NE(segy.text().find("RECORD 2: FILE 8  DATE 2024-05-09  TIME 10:42:17"),
            std::string::npos);
  EXPECT_NE(segy.text().find("SOURCE FILE shot_8.segd"), std::string::npos);

  for (int k : {0, 5, 14, 27}) {
    const int t = k % perRecord + 1;
    const decode::TraceHeaderInfo& info = first->record.traceInfo[static_cast<std::size_t>(t)];
    EXPECT_EQ(segy.field(k, SEGY_TR_SEQ_FILE), k + 1);
    EXPECT_EQ(segy.field(k, SEGY_TR_FIELD_RECORD), k < perRecord ? 7 : 8);
    EXPECT_EQ(segy.field(k, SEGY_TR_NUMBER_ORIG_FIELD), t);
    EXPECT_EQ(segy.field(k, SEGY_TR_UNASSIGNED1), info.channelNumber);
    EXPECT_EQ(segy.field(k, SEGY_TR_INLINE), static_cast<int>(info.receiverLine));
    EXPECT_EQ(segy.field(k, SEGY_TR_CROSSLINE), static_cast<int>(info.receiverPoint));
    EXPECT_EQ(segy.field(k, SEGY_TR_SAMPLE_COUNT), 101);
    EXPECT_EQ(segy.field(k, SEGY_TR_SAMPLE_INTER), 2000);
    const std::vector<float> samples = segy.trace(k);
    for (int j = 0; j < 101; ++j)
      ASSERT_EQ(samples[static_cast<std::size_t>(j)], recordedValue(t, j)) << k << " " << j;
  }
  // The synthetic shot: source at the centre of the two lines of six receivers, (512062.5,
  // 6234100) m, elevation 123.45 m, point 1041.5, recorded 2024, day 130, 10:42:17; the first
  // receiver at (512000, 6234000), line 1001, point 2001.
  EXPECT_EQ(segy.field(0, SEGY_TR_SOURCE_GROUP_SCALAR), -10);
  EXPECT_EQ(segy.field(0, SEGY_TR_SOURCE_X), 5120625);
  EXPECT_EQ(segy.field(0, SEGY_TR_SOURCE_Y), 62341000);
  EXPECT_EQ(segy.field(0, SEGY_TR_GROUP_X), 5120000);
  EXPECT_EQ(segy.field(0, SEGY_TR_GROUP_Y), 62340000);
  EXPECT_EQ(segy.field(0, SEGY_TR_ELEV_SCALAR), -100);
  EXPECT_EQ(segy.field(0, SEGY_TR_SOURCE_SURF_ELEV), 12345);
  EXPECT_EQ(segy.field(0, SEGY_TR_INLINE), 1001);
  EXPECT_EQ(segy.field(0, SEGY_TR_CROSSLINE), 2001);
  EXPECT_EQ(segy.field(0, SEGY_TR_ENERGY_SOURCE_POINT), 1042);
  EXPECT_EQ(segy.field(0, SEGY_TR_SHOT_POINT), 10415);
  EXPECT_EQ(segy.field(0, SEGY_TR_SHOT_POINT_SCALAR), -10);
  EXPECT_EQ(segy.field(0, SEGY_TR_YEAR_DATA_REC), 2024);
  EXPECT_EQ(segy.field(0, SEGY_TR_DAY_OF_YEAR), 130);
  EXPECT_EQ(segy.field(0, SEGY_TR_HOUR_OF_DAY), 10);
  EXPECT_EQ(segy.field(0, SEGY_TR_MIN_OF_HOUR), 42);
  EXPECT_EQ(segy.field(0, SEGY_TR_SEC_OF_MIN), 17);
}

TEST(SegyExport, ChannelSortKeepsFileOrderAmongEqualChannels) {
  test::TempDir dir;
  const auto shot = synthRecord(dir, 3);
  const std::filesystem::path out = dir / "sorted.sgy";
  ASSERT_TRUE(writeSegy(out, {segySourceOf(shot->record, shot->result)}, SegySort::Channel).ok());
  SegyReadBack segy(out);
  ASSERT_EQ(segy.traces(), 14);
  std::vector<std::pair<int, int>> order;  // (channel, trace in record)
  for (int k = 0; k < 14; ++k)
    order.emplace_back(segy.field(k, SEGY_TR_UNASSIGNED1),
                       segy.field(k, SEGY_TR_NUMBER_ORIG_FIELD));
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << "by channel, then trace";
  EXPECT_EQ(segy.binaryField(SEGY_BIN_SORTING_CODE), 5);
  EXPECT_EQ(segy.trace(0)[1], recordedValue(order[0].second, 1));
}

TEST(SegyExport, FailsWholeAndLeavesNoFile) {
  test::TempDir dir;
  const auto shot = synthRecord(dir, 1);
  const auto longer = synthRecord(dir, 2, 201);
  const std::filesystem::path out = dir / "out.sgy";
  const SegyResult mixed = writeSegy(
      out, {segySourceOf(shot->record, shot->result), segySourceOf(longer->record, longer->result)},
      SegySort::AsRecorded);
  EXPECT_EQ(mixed.error, "Cannot write " + out.string() +
                             ": shot_2.segd has 201 samples at 2000 us, the first record 101 at "
                             "2000 us: one SEG-Y file holds one trace length");
  EXPECT_EQ(mixed.traces, 0);
  EXPECT_EQ(writeSegy(out, {}, SegySort::AsRecorded).error,
            "Cannot write " + out.string() + ": no record to write");
  decode::CollectingMessages messages;
  const SegyResult missing = convertToSegy({dir / "shot_1.segd", dir / "absent.segd"}, out,
                                           SegySort::AsRecorded, messages);
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.error.find("absent.segd"), std::string::npos) << missing.error;
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_FALSE(std::filesystem::exists(dir / "out.sgy.tmp"));

  // Named as one of the records, through another name: the record is kept.
  const std::vector<std::uint8_t> recorded = test::readFileBytes(dir / "shot_1.segd");
  const std::filesystem::path sameFile = dir / "." / "shot_1.segd";
  for (const SegyResult& onInput :
       {writeSegy(sameFile, {segySourceOf(shot->record, shot->result)}, SegySort::AsRecorded),
        convertToSegy({dir / "shot_1.segd"}, sameFile, SegySort::AsRecorded, messages)}) {
    EXPECT_EQ(onInput.error, "Cannot write " + sameFile.string() +
                                 ": it is one of the records to export; choose another SEG-Y file");
  }
  EXPECT_EQ(test::readFileBytes(dir / "shot_1.segd"), recorded);

  const SegyResult noFolder = writeSegy(
      dir / "no" / "such.sgy", {segySourceOf(shot->record, shot->result)}, SegySort::AsRecorded);
  EXPECT_EQ(noFolder.error.rfind("Cannot write " + (dir / "no" / "such.sgy").string() + ": ", 0),
            0u)
      << noFolder.error;
}

TEST(SegyExport, ConvertWritesWhatWriteSegyWritesFromTheOpenedRecords) {
  test::TempDir dir;
  const auto shot = synthRecord(dir, 5);
  ASSERT_TRUE(writeSegy(dir / "memory.sgy", {segySourceOf(shot->record, shot->result)},
                        SegySort::AsRecorded)
                  .ok());
  decode::CollectingMessages messages;
  const SegyResult converted =
      convertToSegy({dir / "shot_5.segd"}, dir / "file.sgy", SegySort::AsRecorded, messages);
  ASSERT_TRUE(converted.ok()) << converted.error;
  EXPECT_EQ(test::readFileBytes(dir / "file.sgy"), test::readFileBytes(dir / "memory.sgy"));
}

}  // namespace
}  // namespace vorax::interchange
