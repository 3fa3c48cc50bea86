#include "RecordingTarget.h"

#include "report/engine/FixedTextMeasurer.h"
#include "report/engine/TMemoView.h"

#include <gtest/gtest.h>

namespace dbfquery::report {
namespace {

using testing::ExportCall;
using testing::RecordingTarget;

const FixedTextMeasurer kMetrics(6.0); // 6 units a character in a 10-point font

TMemoView memo(int left, int top, int width, int height, QStringList text,
               std::uint16_t frame = ftNone) {
    TMemoView m;
    m.Left = left;
    m.Top = top;
    m.Width = width;
    m.Height = height;
    m.Memo = std::move(text);
    m.FrameTyp = frame;
    return m;
}

struct GeometryCase {
    const char* name;
    double scale;
    int ox, oy;
    float frameWidth;
    std::uint16_t frame;
    int gapX;
    ViewGeometry expected;
    friend void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }
};

class DrawingGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(DrawingGeometry, FollowsTheScaledRectangleAndInsetFormulas) {
    const GeometryCase& c = GetParam();
    TMemoView m = memo(10, 20, 60, 18, {}, c.frame);
    m.FrameWidth = c.frameWidth;
    m.GapX = c.gapX;
    const ViewGeometry g = m.geometry(c.scale, c.scale, c.ox, c.oy);
    const ViewGeometry& e = c.expected;
    EXPECT_EQ(std::tie(g.x, g.y, g.w, g.h), std::tie(e.x, e.y, e.w, e.h));
    EXPECT_EQ(std::tie(g.cx, g.cy, g.gx, g.gy), std::tie(e.cx, e.cy, e.gx, e.gy));
    EXPECT_EQ(g.rect, e.rect);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, DrawingGeometry,
    ::testing::Values(
        // At scale 1 with width 1: the object's own edges plus one, inset (GapX, GapY).
        GeometryCase{
            "Scale1", 1, 0, 0, 1, ftAll, 3, {10, 20, 60, 18, 0, 0, 3, 1, {10, 20, 71, 39}}},
        GeometryCase{"Scale2WithOffsets",
                     2,
                     5,
                     7,
                     1,
                     ftAll,
                     2,
                     {25, 47, 120, 36, 1, 1, 5, 2, {25, 47, 145, 83}}},
        // round((2 x 3 - 1) / 2) = round(2.5) = 2: halves go to even.
        GeometryCase{"Scale2WideLeftTop",
                     2,
                     0,
                     0,
                     3,
                     ftLeft | ftTop,
                     2,
                     {20, 40, 120, 36, 3, 3, 7, 3, {22, 42, 141, 77}}},
        GeometryCase{
            "Scale1_5", 1.5, 0, 0, 1, ftAll, 2, {15, 30, 90, 27, 1, 1, 4, 2, {15, 30, 105, 57}}}),
    [](const auto& info) { return info.param.name; });

struct WrapCase {
    const char* name;
    int width;
    int gapX;
    std::uint16_t flags;
    QStringList text;
    QStringList lines; // with the paragraph marks
    friend void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }
};

class LineBreaking : public ::testing::TestWithParam<WrapCase> {};

TEST_P(LineBreaking, CutsWhereTheSpecifiedRulesSay) {
    const WrapCase& c = GetParam();
    TMemoView m = memo(0, 0, c.width, 18, c.text, ftAll);
    m.GapX = c.gapX;
    m.Flags = c.flags;
    EXPECT_EQ(m.WrapLines(kMetrics), c.lines);
}

const QString P = QString(kParagraphMark);

INSTANTIATE_TEST_SUITE_P(
    Texts, LineBreaking,
    ::testing::Values(
        // Width 60, GapX 3, frame 1: 54 units, nine characters.
        WrapCase{"WrapsAt54", 60, 3, flWordWrap, {"123456789 12"}, {"123456789", "12" + P}},
        WrapCase{"NineCharactersFit", 60, 3, flWordWrap, {"123456789"}, {"123456789" + P}},
        WrapCase{"LongWordBetweenCharacters",
                 60,
                 3,
                 flWordWrap,
                 {"12345678901234567890"},
                 {"123456789", "012345678", "90" + P}},
        WrapCase{"LastSpaceDropped", 60, 3, flWordWrap, {"ab cd efghij"}, {"ab cd", "efghij" + P}},
        WrapCase{"LineFeedAlwaysBreaks", 200, 2, flWordWrap, {"a\nb"}, {"a", "b" + P}},
        WrapCase{"RunOfBreaksIsOne", 200, 2, flWordWrap, {"a\r\n\r\nb"}, {"a", "b" + P}},
        WrapCase{"EachStoredLineIsAParagraph", 200, 2, flWordWrap, {"a", "b"}, {"a" + P, "b" + P}},
        WrapCase{"OneCharacterNeverBreaks", 4, 2, flWordWrap, {"W"}, {"W" + P}},
        WrapCase{"WithoutWordWrapOneLineEach",
                 30,
                 2,
                 0,
                 {"a long line here", "x"},
                 {"a long line here" + P, "x" + P}},
        WrapCase{"MarkedLinesAsTheyAre",
                 30,
                 2,
                 flWordWrap,
                 {"a long line", "here" + P, P},
                 {"a long line", "here" + P}},
        WrapCase{"EmptyText", 30, 2, flWordWrap, {}, {}}),
    [](const auto& info) { return info.param.name; });

struct PlaceCase {
    const char* name;
    std::int32_t alignment;
    QStringList text;
    std::vector<std::pair<int, int>> starts; // x, y of each line
    friend void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }
};

class LinePlacing : public ::testing::TestWithParam<PlaceCase> {};

// A 100 x 40 object at (10, 20) without frame: drawing rectangle 10, 20 to
// 111, 61; inset (2, 1); line height 2 + 13 = 15; "abc" is 18 wide.
TEST_P(LinePlacing, PlacesEachLineByAlignment) {
    const PlaceCase& c = GetParam();
    TMemoView m = memo(10, 20, 100, 40, c.text);
    m.Alignment = c.alignment;
    DrawContext context;
    context.measurer = &kMetrics;
    const auto placed = m.PlaceLines(m.WrapLines(kMetrics), m.geometry(1, 1, 0, 0), context);
    std::vector<std::pair<int, int>> starts;
    for (const PlacedLine& line : placed)
        starts.emplace_back(line.x, line.y);
    EXPECT_EQ(starts, c.starts);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, LinePlacing,
    ::testing::Values(
        PlaceCase{"Left", taLeft, {"abc"}, {{12, 21}}},
        PlaceCase{"Right", taRight, {"abc"}, {{90, 21}}},
        PlaceCase{"Centre", taCenter, {"abc"}, {{51, 21}}},
        PlaceCase{"Middle", taLeft | taMiddle, {"abc"}, {{12, 33}}},
        PlaceCase{"MiddleTwoLines", taCenter | taMiddle, {"abc", "abc"}, {{51, 25}, {51, 40}}},
        PlaceCase{"Down", taRight | taDown, {"abc"}, {{90, 44}}}),
    [](const auto& info) { return info.param.name; });

TEST(MemoHeight, IsLinesTimesLineHeightPlusTwiceTheInset) {
    TMemoView m = memo(0, 0, 60, 18, {"one", "two\nthree"}, ftAll);
    m.Font.Size = 7; // 9 pixels: line height 11
    EXPECT_EQ(m.CalcHeight(kMetrics), 3 * 11 + 2);
    m.Memo.clear();
    EXPECT_EQ(m.CalcHeight(kMetrics), 2);
}

TEST(MemoExport, EmptyTextGivesObjectDataOnly) {
    RecordingTarget target;
    DrawContext context;
    context.measurer = &kMetrics;
    memo(10, 20, 60, 18, {}, ftAll).Export(target, context);
    ASSERT_EQ(target.calls.size(), 1u);
    EXPECT_EQ(target.calls[0].kind, ExportCall::ObjectData);
    EXPECT_EQ(std::pair(target.calls[0].x, target.calls[0].y), std::pair(10, 20));
}

TEST(MemoExport, HandsEachLineWithItsFrameBits) {
    struct Case {
        QStringList text;
        std::int32_t alignment;
        std::vector<std::uint16_t> frames;
    };
    const Case cases[] = {
        {{"one"}, taLeft, {15}},
        {{"a\nb\nc"}, taLeft, {15 & ~2, 15 & ~(2 | 8), 15 & ~8}},
        {{"a\nb"}, taVertical, {0, 0}},
    };
    for (const Case& c : cases) {
        RecordingTarget target;
        DrawContext context;
        context.measurer = &kMetrics;
        TMemoView m = memo(10, 20, 60, 60, c.text, ftAll);
        m.Alignment = c.alignment;
        m.Export(target, context);
        const auto lines = target.of(ExportCall::TextLine);
        std::vector<std::uint16_t> frames;
        for (const ExportCall& line : lines) {
            frames.push_back(line.frame);
            EXPECT_EQ(line.rect, (DrawRect{10, 20, 71, 81}));
        }
        EXPECT_EQ(frames, c.frames) << c.text.join('|').toStdString();
    }
}

TEST(MemoExport, GivesLineTextsWithoutMarksAndTheirStarts) {
    RecordingTarget target;
    DrawContext context;
    context.measurer = &kMetrics;
    memo(10, 20, 60, 40, {"ab cd efghij"}, ftAll).Export(target, context);
    const auto lines = target.of(ExportCall::TextLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "ab cd");
    EXPECT_EQ(lines[1].text, "efghij");
    EXPECT_EQ(std::pair(lines[0].x, lines[0].y), std::pair(12, 21));
    EXPECT_EQ(std::pair(lines[1].x, lines[1].y), std::pair(12, 36));
}

TEST(MemoExport, SpreadsAWidthAlignedObjectOverThePage) {
    RecordingTarget target;
    DrawContext context;
    context.measurer = &kMetrics;
    context.pageLeft = 36;
    context.pageRight = 740;
    TMemoView m = memo(0, 20, 20, 20, {"T"});
    m.BandAlign = baWidth;
    m.Export(target, context);
    ASSERT_EQ(target.calls.size(), 2u);
    EXPECT_EQ(target.calls[0].x, 36);
    EXPECT_EQ(target.calls[1].rect, (DrawRect{36, 20, 740, 41}));
}

} // namespace
} // namespace dbfquery::report
