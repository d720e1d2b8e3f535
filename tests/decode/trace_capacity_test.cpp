#include "decode/trace_capacity.h"

#include <gtest/gtest.h>

namespace vorax::decode {
namespace {

TEST(TraceCapacity, CountsTracesStartingInsideTheFile) {
  // 10 traces of 100 samples: 52 + 400 = 452 bytes each.
  TraceCapacity c = traceCapacity(10, 100, 52, 4520);
  EXPECT_EQ(c.traces, 10);
  EXPECT_EQ(c.samplesPerTrace, 100);
  EXPECT_FALSE(c.fileShort);
  c = traceCapacity(10, 100, 52, 4519);  // last trace one byte short
  EXPECT_EQ(c.traces, 10);
  EXPECT_TRUE(c.fileShort);
  c = traceCapacity(10, 100, 52, 905);  // third trace starts at byte 904
  EXPECT_EQ(c.traces, 3);
  EXPECT_EQ(c.samplesPerTrace, 100);
  c = traceCapacity(10, 100, 52, 100);  // (100 - 52) / 4 = 12 samples start in the file
  EXPECT_EQ(c.traces, 1);
  EXPECT_EQ(c.samplesPerTrace, 12);
  c = traceCapacity(10, 100, 52, 0);
  EXPECT_EQ(c.traces, 0);
  EXPECT_EQ(c.samplesPerTrace, 0);
  EXPECT_TRUE(c.fileShort);
  c = traceCapacity(0, 100, 52, 1000);
  EXPECT_EQ(c.traces, 0);
  EXPECT_FALSE(c.fileShort);
}

}  // namespace
}  // namespace vorax::decode
