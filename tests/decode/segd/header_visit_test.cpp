// Every decoded header record must list each of its fields exactly once in visit(): the
// JSON output and `vorax decode` see nothing else. The records are plain runs of
// fixed-width texts, so the visited widths must add up to the record's size.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "decode/segd/general_headers.h"
#include "decode/segd/trace_header.h"
#include "decode/vorax/vorax_headers.h"

namespace vorax::decode {
namespace {

struct VisitTally {
  std::size_t width = 0;
  std::size_t fields = 0;
  std::set<std::string> names;
  bool snakeCase = true;
};

template <typename Record>
VisitTally tally() {
  VisitTally t;
  Record record;
  record.visit([&](std::string_view name, const auto& field) {
    t.width += field.view().size();
    ++t.fields;
    t.names.emplace(name);
    for (char c : name) t.snakeCase &= (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
  return t;
}

template <typename Record>
void expectCompleteVisit(const char* recordName) {
  const VisitTally t = tally<Record>();
  EXPECT_EQ(t.width, sizeof(Record)) << recordName;
  EXPECT_EQ(t.names.size(), t.fields) << recordName << ": a name is used twice";
  EXPECT_TRUE(t.snakeCase) << recordName;
  EXPECT_EQ(t.names.count("message"), 1u) << recordName;
}

TEST(HeaderRecords, VisitListsEveryFieldOnce) {
  expectCompleteVisit<Gh1Fields>("Gh1Fields");
  expectCompleteVisit<Gh2Fields>("Gh2Fields");
  expectCompleteVisit<Gh3Fields>("Gh3Fields");
  expectCompleteVisit<ChannelSetFields>("ChannelSetFields");
  expectCompleteVisit<ExternalHeaderFields>("ExternalHeaderFields");
  expectCompleteVisit<VoraxGh3Fields>("VoraxGh3Fields");
  expectCompleteVisit<VoraxExtendedFields>("VoraxExtendedFields");
  expectCompleteVisit<VoraxTraceExt1Fields>("VoraxTraceExt1Fields");
  expectCompleteVisit<DemuxTraceHeaderFields>("DemuxTraceHeaderFields");
}

// Record sizes summed by hand from the field widths of each layout: digit fields, texts,
// message.
TEST(HeaderRecords, FieldWidthsAddUp) {
  EXPECT_EQ(sizeof(Gh1Fields), 64u + 146u + 80u);
  EXPECT_EQ(sizeof(Gh2Fields), 86u + 80u);
  // Digits 135; kinds 3 + 4 x 16; 14 auxiliary texts x 16; noise edit and source type 32;
  // four tenths x 16; value E / 10 164; value F / 10 and array filter 32.
  EXPECT_EQ(sizeof(VoraxExtendedFields), 135u + 67u + 224u + 32u + 64u + 164u + 32u + 80u);
  EXPECT_EQ(sizeof(DemuxTraceHeaderFields), 38u + 46u + 80u);
}

}  // namespace
}  // namespace vorax::decode
