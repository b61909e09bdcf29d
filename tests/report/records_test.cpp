// The records' descriptions drive the CSV and workbook columns: every
// column people read has a heading, and every field of a total has an act
// column to stand in. The workbook writer hands its sink a whole zip, or
// nothing when it is told to stop.
#include <gtest/gtest.h>

#include <string>

#include "report/quote.h"
#include "report/records.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

template <typename Record>
void ExpectHeadings(const char* list, std::span<const Field<Record>> fields) {
  for (const Field<Record>& field : fields) {
    if ((field.Where & (TO_CSV | TO_SHEET)) != 0) {
      EXPECT_GE(field.Heading.Index, 0) << list << ": " << field.Name;
    }
  }
}

TEST(Records, EveryColumnPeopleReadHasAHeading) {
  ExpectHeadings("acts", ActFields());
  ExpectHeadings("comparison", VariantFields());
  ExpectHeadings("quote heading", HeadingFields());
  ExpectHeadings("comparison heading", ComparisonHeadingFields());
}

// A total field an act column does not have would silently never be written.
TEST(Records, EveryFieldOfTheTotalHasAnActColumn) {
  for (const unsigned where : {unsigned{TO_CSV}, unsigned{TO_SHEET}}) {
    for (const Field<Quote>& field : TotalFields()) {
      if ((field.Where & where) == 0) continue;
      const Field<Act>* column = FindField(ActFields(), field.Name);
      EXPECT_TRUE(column != nullptr && (column->Where & where) != 0) << field.Name << " for " << where;
    }
  }
}

struct Written {
  std::string Bytes;
  int Failure = 0;
};

Sink SinkInto(Written* written, bool (*stop)() = nullptr) {
  return {written, [](void* context, const char* bytes, std::size_t length) {
            static_cast<Written*>(context)->Bytes.append(bytes, length);
          },
          stop, [](void* context, int error) { static_cast<Written*>(context)->Failure = error; }};
}

Quote TwoActs() {
  Quote quote;
  AddQuoteText(&quote, "fecha: 2026-12-06\nKLDA:0:0=25,000 | 0012\nKLDA:presentacion:0 | TRUE\n");
  PriceQuote(&quote);
  return quote;
}

TEST(Workbook, AWholeZipInTheSink) {
  Written written;
  WriteQuoteXlsx(TwoActs(), SinkInto(&written));
  EXPECT_EQ(written.Failure, 0);
  ASSERT_GT(written.Bytes.size(), 22u);
  EXPECT_EQ(written.Bytes.substr(0, 4), "PK\x03\x04");
  // The zip's end record closes the file.
  EXPECT_EQ(written.Bytes.substr(written.Bytes.size() - 22, 4), "PK\x05\x06");
  Written again;
  WriteQuoteXlsx(TwoActs(), SinkInto(&again));
  EXPECT_EQ(written.Bytes, again.Bytes) << "the same quote gives other bytes";
}

TEST(Workbook, NothingWhenToldToStop) {
  Written written;
  WriteQuoteXlsx(TwoActs(), SinkInto(&written, [] { return true; }));
  EXPECT_EQ(written.Bytes, "");
  EXPECT_EQ(written.Failure, 0);
}

}  // namespace
}  // namespace tarivox::report
