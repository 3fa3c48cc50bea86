#include "data/ResultSet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace dbfquery::data;

// Enough rows to cross the storage chunks, a column that turns from 32-bit
// integers to reals, repeated and distinct text, and values larger than a
// text chunk: every cell must read back as it went in.
TEST(ResultSet, CellsReadBackAcrossChunksWideningAndSharedText) {
    std::vector<ResultSetBuilder::Declared> columns(4);
    columns[0] = {"N", false};
    columns[1] = {"CITY", true, FieldType::Text, 20, 0};
    columns[2] = {"NOTE", true, FieldType::Memo, 10, 0};
    columns[3] = {"ID", true, FieldType::Integer, 11, 0};
    ResultSetBuilder builder(std::move(columns));
    const qsizetype rows = 140000;
    const std::string big(3 << 20, 'x');
    auto note = [&](qsizetype r) { return r % 50000 == 7 ? big + std::to_string(r) : "note " + std::to_string(r); };
    for (qsizetype r = 0; r < rows; ++r) {
        if (r == 100000)
            builder.addReal(0, 0.5);
        else if (r % 1000 == 0)
            builder.addNull(0);
        else
            builder.addInteger(0, r % 2 ? -r : r);
        builder.addText(1, r % 3 ? "Москва" : "Казань");
        builder.addText(2, note(r));
        builder.addInteger(3, r == 5 ? 5000000000LL : r);
        builder.endRow();
    }
    const ResultSet set = builder.finish();
    ASSERT_EQ(set.rowCount(), rows);
    EXPECT_EQ(set.columns()[0].type, FieldType::Float) << "a computed column with a real in it";
    for (qsizetype r = 0; r < rows; ++r) {
        if (r == 100000)
            ASSERT_EQ(set.value(r, 0), QVariant(0.5));
        else if (r % 1000 == 0)
            ASSERT_TRUE(set.isNull(r, 0)) << r;
        else
            ASSERT_EQ(set.number(r, 0), double(r % 2 ? -r : r)) << r;
        ASSERT_EQ(set.value(r, 1).toString(), r % 3 ? QStringLiteral("Москва") : QStringLiteral("Казань")) << r;
        ASSERT_EQ(set.bytes(r, 2), note(r)) << r;
        ASSERT_EQ(set.value(r, 3).toLongLong(), r == 5 ? 5000000000LL : r) << r;
    }
}

TEST(ResultSet, RepeatedTextIsStoredOnce) {
    ResultSetBuilder builder({{"CITY", true, FieldType::Text, 40, 0}});
    const std::string city = "Ростов-на-Дону, Ростовская область";
    for (int r = 0; r < 100000; ++r) {
        builder.addText(0, city);
        builder.endRow();
    }
    const ResultSet set = builder.finish();
    EXPECT_EQ(set.bytes(99999, 0), city);
    // A tag byte and a four-byte position per row (in 64K-row chunks), not the 60 bytes each time.
    EXPECT_LT(set.memoryUsed(), 100000u * 8);
}

} // namespace
