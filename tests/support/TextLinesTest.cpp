#include "support/TextLines.h"

#include <gtest/gtest.h>

namespace dbfquery::support {
namespace {

TEST(TextLines, BreakAtEveryKindOfLineEndButNotAfterTheLast) {
    EXPECT_EQ(splitTextLines(""), QStringList());
    EXPECT_EQ(splitTextLines("a"), QStringList{"a"});
    EXPECT_EQ(splitTextLines("a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n"), QStringList{"a"});
    EXPECT_EQ(splitTextLines("a\n\r\n"), (QStringList{"a", ""}));
    EXPECT_EQ(splitTextLines("\n"), QStringList{""});
}

} // namespace
} // namespace dbfquery::support
