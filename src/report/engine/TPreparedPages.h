#pragma once

#include "report/engine/PreparedPage.h"
#include "report/engine/ReportPrinterPort.h"

#include <QRect>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QPainter;

namespace dbfquery::report {

class TextMeasurer;

enum class DrawTarget {
    Screen,  // objects outside the visible region (grown by 10 pixels) are skipped
    Printer, // every object; fonts at their point sizes on the device
};

// The list of finished pages, owned by the report (or the preview while it
// shows them). GUI thread only. Texts are measured with the measurer given
// (the installed fonts by default; it must outlive the list).
class TPreparedPages {
public:
    TPreparedPages();
    ~TPreparedPages();
    TPreparedPages(TPreparedPages&&) noexcept;
    TPreparedPages& operator=(TPreparedPages&&) noexcept;

    void setMeasurer(const TextMeasurer& measurer) { m_measurer = &measurer; }
    const TextMeasurer& measurer() const { return *m_measurer; }

    int Count() const { return static_cast<int>(m_pages.size()); }
    PreparedPage& Item(int index) { return *m_pages.at(static_cast<std::size_t>(index)); }
    const PreparedPage& Item(int index) const {
        return *m_pages.at(static_cast<std::size_t>(index));
    }

    // Appends a page with the design page's paper, margins and geometry and a
    // stream holding the version byte only. Returns its index.
    int AddPage(const TReportPage& page);
    // The same at `index`; an index at or past the end appends.
    int InsertPage(int index, const TReportPage& page);
    void Delete(int index);
    void Clear();

    // Writes one object in prepared form at the end of a page's stream.
    void AppendObject(int index, const TReportView& view);

    // (Re)creates the page object from the stream. AutoWidth text objects get
    // their width from their text. Throws ReportStreamError on a damaged stream.
    void MaterializePage(int index);
    // Rewrites the stream from the (edited) page object.
    void StorePage(int index);
    // BeginPage, then each object of the stream as a temporary (ObjectData,
    // and TextLine per line of a text object), then EndPage.
    void ExportPage(int index, ExportTarget& target) const;
    // A visible page is materialised if needed and drawn scaled into `rect`;
    // an invisible one has its page object freed instead.
    void DrawPage(int index, QPainter& painter, const QRect& rect,
                  DrawTarget target = DrawTarget::Screen);

    // The ".prp" file: version 24, not compressed, the printer's name, the
    // pages with their paper and margins and their streams.
    QByteArray SaveToBytes(const QString& printerName) const;
    void SaveToFile(QIODevice& device, const QString& printerName) const;
    // Writes `fileName` with its extension made ".prp", replacing any file
    // atomically. Returns the name written. Throws support::UserError.
    QString SaveToFile(const QString& fileName, const QString& printerName) const;

    // Reads a ".prp" file. The printer named in it is selected when the port
    // lists it; each page's geometry comes from the port for its paper. A
    // damaged file throws ReportStreamError and leaves the list and the
    // printer as they were.
    void LoadFromBytes(const QByteArray& bytes, ReportPrinterPort& printer);
    void LoadFromFile(QIODevice& device, ReportPrinterPort& printer);
    void LoadFromFile(const QString& fileName, ReportPrinterPort& printer);

private:
    std::unique_ptr<PreparedPage> makePage(const TReportPage& page) const;
    DrawContext exportContext(const PreparedPage& page) const;

    std::vector<std::unique_ptr<PreparedPage>> m_pages;
    const TextMeasurer* m_measurer;
};

// Reads every object of an object stream, handing each to `visit`; throws
// ReportStreamError when the stream is damaged.
void forEachStoredObject(const QByteArray& stream,
                         const std::function<void(std::unique_ptr<TReportView>)>& visit);

} // namespace dbfquery::report
