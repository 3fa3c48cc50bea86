#include "FakePrinter.h"
#include "RecordingTarget.h"

#include "report/engine/FixedTextMeasurer.h"
#include "report/engine/ReportObjectFormat.h"
#include "report/engine/TBandView.h"
#include "report/engine/TMemoView.h"
#include "report/engine/TPreparedPages.h"
#include "support/HexDiff.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace dbfquery::report {
namespace {

using dbfquery::testing::hexDiff;
using testing::ExportCall;
using testing::FakePrinter;
using testing::RecordingTarget;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

QByteArray ascii(const char* text) {
    return QByteArray(text);
}

// A framed cell as preparation writes it.
TMemoView cell() {
    TMemoView m;
    m.Name = QStringLiteral("Ячейка");
    m.Left = 36;
    m.Top = 48;
    m.Width = 60;
    m.Height = 30;
    m.FrameTyp = ftAll;
    m.FillColor = clWhite;
    m.Memo = {QStringLiteral("ab"), QStringLiteral("c")};
    m.Font = {QStringLiteral("Arial"), 10, fsBold, clWindowText, RUSSIAN_CHARSET};
    m.Alignment = taCenter | taMiddle;
    return m;
}

// The cell's record, byte for byte.
QByteArray cellBytes() {
    // clang-format off
    return bytes({0x00}) +                                            // kind: text
           bytes({0x06, 0x00, 0xDF, 0xF7, 0xE5, 0xE9, 0xEA, 0xE0, 0x00}) + // name
           bytes({0x02, 0x00}) +                                      // record version
           bytes({0x24, 0, 0, 0, 0x30, 0, 0, 0}) +                    // left 36, top 48
           bytes({0x3C, 0, 0, 0, 0x1E, 0, 0, 0}) +                    // width 60, height 30
           bytes({0x03, 0x00, 0x0F, 0x00}) +                          // flags, frame
           bytes({0x01, 0, 0, 0}) +                                   // frame width 1
           bytes({0, 0, 0, 0, 0x00, 0x00}) +                          // frame colour, style
           bytes({0xFF, 0xFF, 0xFF, 0x00}) +                          // fill
           bytes({0x02, 0x00, 0x02, 0x00, 'a', 'b', 0x0D, 0x01, 0x00, 'c', 0x00}) + // lines
           bytes({0x00, 0x00, 0x00, 0x00, 0x00}) +                    // restrictions, tag
           bytes({0x02, 0, 0, 0, 0x01, 0, 0, 0, 0x00}) +              // gaps, band align
           bytes({0x05, 0x00}) + ascii("Arial") + bytes({0x00}) +     // font name
           bytes({0x0A, 0, 0, 0, 0x02, 0x00}) +                       // size 10, bold
           bytes({0x08, 0, 0, 0x80}) +                                // window-text colour
           bytes({0x0A, 0, 0, 0, 0xCC, 0x00}) +                       // alignment, character set
           bytes({0x02, 0, 0, 0, 0, 0, 0, 0});                        // line and character spacing
    // clang-format on
}

TReportPage a4Page() {
    TReportPage page;
    page.Paper = {9, 2100, 2970, 0, kDefaultBin};
    page.Margins.Left = 36;
    VirtualPrinter printer;
    page.Geometry = printer.applyPaper(page.Paper);
    return page;
}

const QByteArray kVirtualName = bytes({0xC2, 0xE8, 0xF0, 0xF2, 0xF3, 0xE0, 0xEB, 0xFC, 0xED, 0xFB,
                                       0xE9, 0x20, 0xEF, 0xF0, 0xE8, 0xED, 0xF2, 0xE5, 0xF0});

// A ".prp" file of one A4 page with the given object stream.
QByteArray prpFile(const QByteArray& stream) {
    const int end = 28 + 36 + static_cast<int>(stream.size());
    // clang-format off
    return bytes({24, 0}) +                                   // version, not compressed
           bytes({19, 0}) + kVirtualName + bytes({0}) +       // printer name
           bytes({1, 0, 0, 0}) +                              // page count
           bytes({end & 0xFF, end >> 8, 0, 0}) +              // end of the page's data
           bytes({9, 0}) +                                    // paper code
           bytes({0x34, 0x08, 0, 0, 0x9A, 0x0B, 0, 0}) +      // 2100 x 2970 tenths of a mm
           bytes({0}) +                                       // portrait
           bytes({0xFF, 0xFF, 0xFF, 0xFF}) +                  // bin: the printer's
           bytes({1}) +                                       // UseMargins
           bytes({0x24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + // margins 36, 0, 0, 0
           stream;
    // clang-format on
}

TEST(ObjectStream, EmptyPageIsTheVersionByteAndExportsOnlyThePageBrackets) {
    TPreparedPages pages;
    pages.AddPage(a4Page());
    EXPECT_EQ(hexDiff(bytes({24}), pages.Item(0).ObjectStream), "");
    RecordingTarget target;
    pages.ExportPage(0, target);
    ASSERT_EQ(target.calls.size(), 2u);
    EXPECT_EQ(target.calls[0].kind, ExportCall::BeginPage);
    EXPECT_EQ(target.calls[1].kind, ExportCall::EndPage);
}

TEST(PageList, InsertsDeletesAndClears) {
    TPreparedPages pages;
    TReportPage first = a4Page();
    TReportPage second = a4Page();
    second.Margins.Top = 7;
    EXPECT_EQ(pages.InsertPage(5, first), 0); // past the end appends
    EXPECT_EQ(pages.InsertPage(0, second), 0);
    EXPECT_EQ(pages.Item(0).Margins.Top, 7);
    EXPECT_EQ(pages.Item(1).Margins.Left, 36);
    pages.Delete(0);
    EXPECT_EQ(pages.Count(), 1);
    EXPECT_EQ(pages.Item(0).Margins.Top, 0);
    pages.Clear();
    EXPECT_EQ(pages.Count(), 0);
}

TEST(ObjectStream, TextObjectRecordMatchesTheFormatByteForByte) {
    TPreparedPages pages;
    pages.AddPage(a4Page());
    pages.AppendObject(0, cell());
    EXPECT_EQ(hexDiff(bytes({24}) + cellBytes(), pages.Item(0).ObjectStream), "");

    pages.MaterializePage(0);
    ASSERT_EQ(pages.Item(0).PageObject->Objects.size(), 1u);
    const auto& back = static_cast<const TMemoView&>(*pages.Item(0).PageObject->Objects[0]);
    const TMemoView original = cell();
    EXPECT_EQ(back.Name, original.Name);
    EXPECT_EQ(back.Memo, original.Memo);
    EXPECT_EQ(back.Font, original.Font);
    EXPECT_EQ(std::tie(back.Left, back.Top, back.Width, back.Height, back.Flags, back.FrameTyp,
                       back.FillColor, back.Alignment, back.GapX, back.GapY, back.LineSpacing),
              std::tie(original.Left, original.Top, original.Width, original.Height, original.Flags,
                       original.FrameTyp, original.FillColor, original.Alignment, original.GapX,
                       original.GapY, original.LineSpacing));
    pages.StorePage(0);
    EXPECT_EQ(hexDiff(bytes({24}) + cellBytes(), pages.Item(0).ObjectStream), "");
}

TEST(ObjectStream, MaterialisingGivesAutoWidthTextsTheWidthOfTheirText) {
    TPreparedPages pages;
    const FixedTextMeasurer metrics(6.0);
    pages.setMeasurer(metrics);
    pages.AddPage(a4Page());
    TMemoView m = cell();
    m.Flags |= flAutoWidth;
    m.Memo = {QStringLiteral("abcd"), QStringLiteral("ab\r\nabcdef")};
    pages.AppendObject(0, m);
    pages.MaterializePage(0);
    EXPECT_EQ(pages.Item(0).PageObject->Objects[0]->Width,
              6 * 6 + 2 * 2); // widest piece + 2 x inset
}

TEST(ObjectStream, StringListsEndWithTheZeroByte) {
    const struct {
        QStringList lines;
        QByteArray stored;
    } cases[] = {
        {{}, bytes({0, 0, 0})},
        {{""}, bytes({1, 0, 0, 0, 0})},
        {{"x", ""}, bytes({2, 0, 1, 0, 'x', 13, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        QByteArray out;
        ReportStreamWriter(out).stringList(c.lines);
        EXPECT_EQ(hexDiff(c.stored, out), "");
        ReportStreamReader in(out);
        EXPECT_EQ(in.stringList(), c.lines);
        EXPECT_TRUE(in.atEnd());
    }
}

TEST(ObjectStream, AnOverlongLineIsCutSoTheStreamStaysReadable) {
    // A 16-bit length of a longer line would wrap and desynchronise the reader.
    QByteArray out;
    ReportStreamWriter writer(out);
    writer.stringList({QString(70000, QLatin1Char('x')), QStringLiteral("next")});
    writer.string(QString(70000, QLatin1Char('y')));
    ReportStreamReader in(out);
    EXPECT_EQ(in.stringList(),
              (QStringList{QString(65535, QLatin1Char('x')), QStringLiteral("next")}));
    EXPECT_EQ(in.string(), QString(65535, QLatin1Char('y')));
    EXPECT_TRUE(in.atEnd());
}

TEST(ObjectStream, FrameWidthEncoding) {
    const struct {
        float width;
        std::int32_t stored;
        float readBack;
    } cases[] = {
        {1.0f, 1, 1.0f},       {0.5f, 500, 0.5f},
        {2.5f, 2500, 2.5f},    {0.005f, 5, 5.0f}, // small stored values count as whole widths
        {12.0f, 12000, 12.0f}, // a whole width stored as 12 would read back as 0.012
    };
    for (const auto& c : cases) {
        QByteArray out;
        ReportStreamWriter(out).frameWidth(c.width);
        ReportStreamReader in(out);
        EXPECT_EQ(in.i32(), c.stored) << c.width;
        in.seek(0);
        EXPECT_FLOAT_EQ(in.frameWidth(), c.readBack) << c.width;
    }
}

TEST(PrpFile, OneEmptyPageMatchesTheFormatByteForByte) {
    TPreparedPages pages;
    pages.AddPage(a4Page());
    EXPECT_EQ(hexDiff(prpFile(bytes({24})), pages.SaveToBytes(kVirtualPrinterName)), "");
}

TEST(PrpFile, SaveAndLoadRoundTrip) {
    TPreparedPages pages;
    pages.AddPage(a4Page());
    pages.AppendObject(0, cell());
    TReportPage landscape = a4Page();
    landscape.Paper.Orientation = 1;
    landscape.Margins = {36, 10, 20, 30};
    landscape.UseMargins = false;
    pages.AddPage(landscape);
    pages.AppendObject(1, cell());
    pages.AppendObject(1, cell());
    const QByteArray saved = pages.SaveToBytes(QStringLiteral("Лазерный"));

    FakePrinter printer;
    TPreparedPages loaded;
    loaded.LoadFromBytes(saved, printer);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(printer.selected, std::vector<int>{0});
    EXPECT_EQ(loaded.Item(1).Margins, landscape.Margins);
    EXPECT_FALSE(loaded.Item(1).UseMargins);
    EXPECT_EQ(loaded.Item(1).Geometry.PaperWidthUnits, 1071); // landscape A4
    EXPECT_EQ(hexDiff(saved, loaded.SaveToBytes(QStringLiteral("Лазерный"))), "");
}

TEST(PrpFile, APrinterNotInTheListIsNotSelected) {
    TPreparedPages pages;
    pages.AddPage(a4Page());
    FakePrinter printer;
    TPreparedPages loaded;
    loaded.LoadFromBytes(pages.SaveToBytes(QStringLiteral("Нет такого")), printer);
    EXPECT_TRUE(printer.selected.empty());
    EXPECT_EQ(loaded.Count(), 1);
}

TEST(PrpFile, FileNameGetsThePrpExtensionAndReadsBack) {
    QTemporaryDir dir;
    TPreparedPages pages;
    pages.AddPage(a4Page());
    pages.AppendObject(0, cell());
    const QString written =
        pages.SaveToFile(dir.filePath(QStringLiteral("отчет.txt")), kVirtualPrinterName);
    EXPECT_EQ(written, dir.filePath(QStringLiteral("отчет.prp")));
    FakePrinter printer;
    TPreparedPages loaded;
    loaded.LoadFromFile(written, printer);
    EXPECT_EQ(
        hexDiff(pages.SaveToBytes(kVirtualPrinterName), loaded.SaveToBytes(kVirtualPrinterName)),
        "");
    EXPECT_THROW(pages.SaveToFile(dir.filePath(QStringLiteral("нет/отчет")), kVirtualPrinterName),
                 support::UserError);
    EXPECT_THROW(loaded.LoadFromFile(dir.filePath(QStringLiteral("нет.prp")), printer),
                 support::UserError);
}

struct DamageCase {
    const char* name;
    std::function<QByteArray()> file;
    const char* message; // part of the error text
    friend void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }
};

QByteArray goodFile() {
    return prpFile(bytes({24}) + cellBytes());
}

QByteArray patched(QByteArray file, qsizetype at, std::initializer_list<int> values) {
    for (int v : values)
        file[at++] = static_cast<char>(v);
    return file;
}

class DamagedFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, FailsClearlyAndKeepsThePagesAndThePrinter) {
    TPreparedPages pages;
    pages.AddPage(a4Page());
    pages.AppendObject(0, cell());
    pages.AddPage(a4Page());
    const QByteArray before = pages.SaveToBytes(kVirtualPrinterName);
    FakePrinter printer;
    printer.names[0] = kVirtualPrinterName; // the file's printer would be found
    try {
        pages.LoadFromBytes(GetParam().file(), printer);
        ADD_FAILURE() << "no error";
    } catch (const ReportStreamError& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().message))) << e.what();
    }
    EXPECT_EQ(hexDiff(before, pages.SaveToBytes(kVirtualPrinterName)), "");
    EXPECT_TRUE(printer.selected.empty());
}

// The cell's record starts at 65 in goodFile().
INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(
        DamageCase{"WrongFirstByte", [] { return patched(goodFile(), 0, {23}); },
                   "устаревшем формате"},
        DamageCase{"Empty", [] { return QByteArray(); }, "пуст"},
        DamageCase{"Compressed", [] { return patched(goodFile(), 1, {1}); }, "Сжатые"},
        DamageCase{"Truncated", [] { return goodFile().chopped(3); }, "за концом файла"},
        DamageCase{"NameLengthBeyondEnd",
                   [] {
                       return patched(goodFile(), 66, {0xFF, 0xFF});
                   },
                   "конец данных"},
        DamageCase{"PageCountBeyondEnd",
                   [] {
                       return patched(goodFile(), 24, {0xE8, 0x03});
                   },
                   "число страниц"},
        DamageCase{"NegativePageCount",
                   [] {
                       return patched(goodFile(), 24, {0xFF, 0xFF, 0xFF, 0xFF});
                   },
                   "число страниц"},
        DamageCase{"EndPositionBackwards", [] { return patched(goodFile(), 28, {10}); },
                   "указывает назад"},
        DamageCase{"UnknownObjectKind", [] { return patched(goodFile(), 65, {7}); },
                   "неизвестный вид объекта 7"},
        DamageCase{"UnregisteredClass",
                   [] {
                       return prpFile(bytes({24, 10, 5, 0}) + ascii("TGlow") + bytes({0}));
                   },
                   "не зарегистрирован: TGlow"},
        DamageCase{"AbsurdWidth",
                   [] {
                       return patched(goodFile(), 65 + 20, {0xFF, 0xFF, 0xFF, 0x7F});
                   },
                   "Width"}),
    [](const auto& info) { return info.param.name; });

TEST(DamagedFile, EveryCutOfAGoodFileFailsWithoutCrashing) {
    const QByteArray file = goodFile();
    FakePrinter printer;
    for (qsizetype size = 0; size < file.size(); ++size) {
        TPreparedPages pages;
        EXPECT_THROW(pages.LoadFromBytes(file.left(size), printer), ReportStreamError) << size;
        EXPECT_EQ(pages.Count(), 0);
    }
}

} // namespace
} // namespace dbfquery::report
