#include "report/engine/TReport.h"

#include "report/engine/BandLayout.h"
#include "report/engine/ExpressionEvaluator.h"

#include <algorithm>

namespace dbfquery::report {

TReport::TReport() : m_printer(&m_virtualPrinter), m_progress(&m_directProgress) {}

void TReport::setMeasurer(const TextMeasurer& measurer) {
    m_measurer = &measurer;
    m_prepared.setMeasurer(measurer);
}

void TReport::addDataSet(ReportDataSet& dataSet) {
    if (std::find(m_dataSets.begin(), m_dataSets.end(), &dataSet) == m_dataSets.end())
        m_dataSets.push_back(&dataSet);
}

void TReport::removeDataSet(const ReportDataSet& dataSet) {
    std::erase(m_dataSets, &dataSet);
}

ReportDataSet* TReport::findDataSet(const QString& name) const {
    for (ReportDataSet* d : m_dataSets)
        if (d->Name().compare(name, Qt::CaseInsensitive) == 0)
            return d;
    return nullptr;
}

void TReport::applyPaper(TReportPage& page) {
    page.Geometry = m_printer->applyPaper(page.Paper);
}

TReportPage& TReport::addPage(const PaperSpec& paper) {
    Pages.emplace_back();
    TReportPage& page = Pages.back();
    page.Paper = paper;
    applyPaper(page);
    return page;
}

bool TReport::Prepare(const QDateTime& started) {
    StopRequested = false;
    ErrorText.clear();
    m_prepared.Clear();
    // Preparation works on a copy, so the design stays as it was.
    std::vector<TReportPage> design = Pages;
    ExpressionEvaluator evaluator;
    evaluator.date = started.date();
    evaluator.time = started.time();
    const TextMeasurer& measurer = m_measurer ? *m_measurer : m_prepared.measurer();

    QString caption = QStringLiteral("Подготовка отчета");
    if (!Title.isEmpty())
        caption += QStringLiteral(" - ") + Title;
    bool cancelled = false;
    m_progress->run(
        caption, QStringLiteral("Формируется страница:") + QStringLiteral("  1"),
        [&] {
            try {
                for (TReportPage& page : design) {
                    BandLayout layout(*this, measurer, evaluator, *m_progress);
                    layout.formPage(page);
                }
            } catch (const BandLayout::Stopped&) {
                cancelled = true;
            } catch (const ExpressionError& e) {
                ErrorText = e.message();
            }
        },
        [this] { StopRequested = true; });
    if (!ErrorText.isEmpty()) {
        m_prepared.Clear();
        return false;
    }
    return !cancelled;
}

void TReport::ShowPages() {
    if (m_prepared.Count() > 0 && OnShowPreview)
        OnShowPreview(*this);
}

} // namespace dbfquery::report
