#pragma once

#include "report/engine/BandKind.h"
#include "report/engine/ExpressionEvaluator.h"
#include "report/engine/PrinterGeometry.h"

#include <QStringList>
#include <array>
#include <memory>
#include <vector>

namespace dbfquery::report {

class ProgressHost;
class ReportDataSet;
class TReport;
class TReportPage;
class TReportView;
class TextMeasurer;
class TReportUserDataset;

// One preparation pass over one design page: assigns objects to bands, walks
// the data sources, breaks pages and writes every printed object at once into
// the prepared page it lands on. The design page's objects are reused for
// every row and column; each is restored from its design state before use.
class BandLayout {
public:
    BandLayout(TReport& report, const TextMeasurer& measurer, ExpressionEvaluator& evaluator,
               ProgressHost& progress);
    ~BandLayout();
    BandLayout(const BandLayout&) = delete;
    BandLayout& operator=(const BandLayout&) = delete;

    // Thrown at the next band or record once the report's stop mark is set.
    struct Stopped {};

    // Throws ExpressionError (with the full message text) when an object's
    // text cannot be evaluated, Stopped when the run was cancelled.
    void formPage(TReportPage& design);

private:
    struct Band;
    struct Member {
        TReportView* view = nullptr;           // reused for every print
        std::unique_ptr<TReportView> original; // its design state
        Band* cross = nullptr;                 // the cross band it repeats in
        int relLeft = 0;                       // relative to the cross band
        int relTop = 0;                        // relative to its band
        QStringList lastText;                  // for Suppress
        bool printedOnce = false;
    };
    struct Band {
        BandKind kind = BandKind::None;
        int top = 0;    // left for cross bands
        int height = 0; // width for cross bands
        std::uint16_t flags = 0;
        ReportDataSet* dataSet = nullptr;
        std::unique_ptr<TReportUserDataset> counted;
        Band* next = nullptr;
        Band* header = nullptr;
        Band* footer = nullptr;
        Band* data = nullptr;
        std::vector<Member*> objects;
        std::vector<Member*> crossObjects;
        int printedTop = 0;
        int printedHeight = 0;
        int width = 0; // cross bands: the current column's width
        bool empty() const { return objects.empty() && crossObjects.empty(); }
    };

    void assign(TReportPage& design);
    Band* slot(BandKind kind) const { return m_slots[static_cast<std::size_t>(kind)]; }
    int bandHeight(Band& band);
    void printBand(Band* band);
    void printBandAt(Band& band, int top, int height);
    void printCrossCells(Band& band);
    void newPage(Band* failed);
    void startPage();
    void printPageFooters();
    void reportProgress(int pageNumber);
    // Restores the object, places it for `band` (at column `x` for a cross
    // object) and gives it its final text; false when it is not to print.
    bool prepareObject(Member& member, Band& band, int x, int top);
    void printObject(Member& member, Band& band, int x);
    void checkStop() const;

    TReport& m_report;
    const TextMeasurer& m_measurer;
    ExpressionEvaluator& m_evaluator;
    ProgressHost& m_progress;

    std::vector<std::unique_ptr<Band>> m_bands;
    std::vector<std::unique_ptr<Member>> m_members;
    std::array<Band*, kBandKindCount> m_slots{};
    TReportPage* m_design = nullptr;
    PageLimits m_limits;
    int m_bottom = 0; // bottom limit for bands
    int m_curY = 0;
    int m_pageIndex = 0;      // prepared page printed objects go to
    int m_firstPage = 0;      // the prepared page this design page started on
    bool m_noRepeat = false;  // while the summary prints
    bool m_inNewPage = false; // bands of a page start never break again
};

} // namespace dbfquery::report
