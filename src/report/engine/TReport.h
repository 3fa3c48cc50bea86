#pragma once

#include "report/engine/ProgressHost.h"
#include "report/engine/ReportDataSet.h"
#include "report/engine/ReportPrinterPort.h"
#include "report/engine/TPreparedPages.h"
#include "report/engine/TReportPage.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <vector>

namespace dbfquery::report {

class TReportView;

// Called for every object about to be printed or measured, with its text
// lines (which it may change) and the object (whose fields it may change).
using TEnterRectEvent = std::function<void(QStringList& Memo, TReportView& View)>;
// Called for every column of a band with cross objects: ColNo from 1, Width
// in/out in report units.
using TPrintColumnEvent = std::function<void(int ColNo, int& Width)>;

// Caption of the box a failed preparation's ErrorText is shown in.
inline const QString kPrepareErrorCaption = QStringLiteral("Ошибка");

// A report: design pages of bands and objects, the prepared pages made from
// them, the events the table report fills cells through. GUI thread only.
// The printer, progress host, measurer and data sets it is given must
// outlive it.
class TReport {
public:
    TReport();

    QString Name;  // the document name in error messages
    QString Title; // shown in the progress caption when set
    bool PrintIfEmpty = true;
    // Set by "Отмена" in the progress window and by an expression error;
    // cleared when a preparation starts.
    bool StopRequested = false;

    std::vector<TReportPage> Pages; // the design

    TEnterRectEvent OnBeforePrint;
    TPrintColumnEvent OnPrintColumn;
    // Before the page footer is printed on a page (index into the prepared list).
    std::function<void(int)> OnEndPage;
    // Opens the preview on the prepared pages (the preview window sets it).
    std::function<void(TReport&)> OnShowPreview;

    TPreparedPages& PreparedPages() { return m_prepared; }
    const TPreparedPages& PreparedPages() const { return m_prepared; }

    void setPrinter(ReportPrinterPort& printer) { m_printer = &printer; }
    ReportPrinterPort& printer() { return *m_printer; }
    void setProgress(ProgressHost& progress) { m_progress = &progress; }
    void setMeasurer(const TextMeasurer& measurer);

    // Data sources bands name by component name.
    void addDataSet(ReportDataSet& dataSet);
    void removeDataSet(const ReportDataSet& dataSet);
    ReportDataSet* findDataSet(const QString& name) const;

    // Appends a design page with `paper` given to the printer (its geometry
    // set) and returns it (valid until the next page is added).
    TReportPage& addPage(const PaperSpec& paper = {});
    // Gives a page's paper to the printer and takes the geometry it reports.
    void applyPaper(TReportPage& page);

    // Prepares the design into PreparedPages under the progress window.
    // `started` is the date and time [DATE] and [TIME] print. Returns true
    // when the run finished without being cancelled. On an expression error
    // the pages are cleared, ErrorText holds the message (to be shown
    // captioned kPrepareErrorCaption) and false is returned. The design is
    // left as it was.
    bool Prepare(const QDateTime& started);
    QString ErrorText;

    // Opens the preview when at least one page was prepared.
    void ShowPages();

private:
    std::vector<ReportDataSet*> m_dataSets;
    TPreparedPages m_prepared;
    VirtualPrinter m_virtualPrinter;
    DirectProgress m_directProgress;
    ReportPrinterPort* m_printer;
    ProgressHost* m_progress;
    const TextMeasurer* m_measurer = nullptr;
};

} // namespace dbfquery::report
