#include "report/engine/TPreparedPages.h"

#include "report/engine/QtTextMeasurer.h"
#include "report/engine/ReportObjectFormat.h"
#include "report/engine/TMemoView.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace dbfquery::report {
namespace {

const QtTextMeasurer& installedFonts() {
    static const QtTextMeasurer measurer;
    return measurer;
}

constexpr std::uint8_t kFileVersion = 24;
// Bytes of a page record in the file before its object stream.
constexpr qsizetype kPageRecordSize = 4 + 2 + 4 + 4 + 1 + 4 + 1 + 16;

QString pageError(int page, const QString& what) {
    return QStringLiteral("Файл отчета поврежден (страница %1): %2").arg(page).arg(what);
}

} // namespace

void forEachStoredObject(const QByteArray& stream,
                         const std::function<void(std::unique_ptr<TReportView>)>& visit) {
    ReportStreamReader in(stream);
    const std::uint8_t version = in.u8();
    if (version != kObjectStreamVersion)
        throw ReportStreamError(
            QStringLiteral("Данные отчета повреждены: неизвестная версия страницы %1")
                .arg(version));
    while (!in.atEnd())
        visit(readPreparedObject(in));
}

TPreparedPages::TPreparedPages() : m_measurer(&installedFonts()) {}
TPreparedPages::~TPreparedPages() = default;
TPreparedPages::TPreparedPages(TPreparedPages&&) noexcept = default;
TPreparedPages& TPreparedPages::operator=(TPreparedPages&&) noexcept = default;

std::unique_ptr<PreparedPage> TPreparedPages::makePage(const TReportPage& page) const {
    auto record = std::make_unique<PreparedPage>();
    record->PaperSize = page.Paper.PaperSize;
    record->PaperWidth = page.Paper.PaperWidth;
    record->PaperHeight = page.Paper.PaperHeight;
    record->Orientation = page.Paper.Orientation;
    record->PaperBin = page.Paper.PaperBin;
    record->UseMargins = page.UseMargins;
    record->Margins = page.Margins;
    record->Geometry = page.Geometry;
    record->ObjectStream.append(static_cast<char>(kObjectStreamVersion));
    return record;
}

int TPreparedPages::AddPage(const TReportPage& page) {
    return InsertPage(Count(), page);
}

int TPreparedPages::InsertPage(int index, const TReportPage& page) {
    if (index < 0 || index >= Count()) {
        m_pages.push_back(makePage(page));
        return Count() - 1;
    }
    m_pages.insert(m_pages.begin() + index, makePage(page));
    return index;
}

void TPreparedPages::Delete(int index) {
    if (index >= 0 && index < Count())
        m_pages.erase(m_pages.begin() + index);
}

void TPreparedPages::Clear() {
    while (!m_pages.empty())
        Delete(0);
}

void TPreparedPages::AppendObject(int index, const TReportView& view) {
    ReportStreamWriter out(Item(index).ObjectStream);
    writePreparedObject(out, view);
}

void TPreparedPages::MaterializePage(int index) {
    PreparedPage& record = Item(index);
    auto page = std::make_unique<TReportPage>();
    page->Paper = record.paper();
    page->Margins = record.Margins;
    page->UseMargins = record.UseMargins;
    page->Geometry = record.Geometry;
    forEachStoredObject(record.ObjectStream, [&](std::unique_ptr<TReportView> view) {
        if (view->kind() == ObjectKind::Memo && (view->Flags & flAutoWidth)) {
            auto& memo = static_cast<TMemoView&>(*view);
            memo.Width = memo.CalcWidth(*m_measurer);
        }
        page->Objects.push_back(std::move(view));
    });
    record.PageObject = std::move(page);
}

void TPreparedPages::StorePage(int index) {
    PreparedPage& record = Item(index);
    if (!record.PageObject)
        return;
    QByteArray stream;
    stream.append(static_cast<char>(kObjectStreamVersion));
    ReportStreamWriter out(stream);
    for (const auto& view : record.PageObject->Objects)
        writePreparedObject(out, *view);
    record.ObjectStream = std::move(stream);
}

DrawContext TPreparedPages::exportContext(const PreparedPage& page) const {
    DrawContext c;
    c.measurer = m_measurer;
    const PageLimits limits = page.limits();
    c.pageLeft = limits.left;
    c.pageRight = limits.right;
    return c;
}

void TPreparedPages::ExportPage(int index, ExportTarget& target) const {
    const PreparedPage& record = Item(index);
    const DrawContext c = exportContext(record);
    target.BeginPage();
    forEachStoredObject(record.ObjectStream,
                        [&](std::unique_ptr<TReportView> view) { view->Export(target, c); });
    target.EndPage();
}

void TPreparedPages::DrawPage(int index, QPainter& painter, const QRect& rect, DrawTarget target) {
    PreparedPage& record = Item(index);
    if (!record.Visible) {
        record.PageObject.reset();
        return;
    }
    if (!record.PageObject)
        MaterializePage(index);
    DrawContext c = exportContext(record);
    const double paperW = record.Geometry.PaperWidthUnits;
    const double paperH = record.Geometry.PaperHeightUnits;
    if (paperW <= 0 || paperH <= 0)
        return;
    c.sx = rect.width() / paperW;
    c.sy = rect.height() / paperH;
    c.ox = rect.left();
    c.oy = rect.top();
    QRect visible;
    if (target == DrawTarget::Printer) {
        c.printerDpi = painter.device() ? painter.device()->logicalDpiY() : 0;
    } else {
        visible = painter.hasClipping()
                      ? painter.clipBoundingRect().toAlignedRect()
                      : painter.worldTransform().inverted().mapRect(
                            QRect(0, 0, painter.device()->width(), painter.device()->height()));
    }
    for (const auto& view : record.PageObject->Objects) {
        if (target == DrawTarget::Screen) {
            const ViewGeometry g = view->geometry(c.sx, c.sy, c.ox, c.oy);
            if (!QRect(g.x, g.y, g.w, g.h).adjusted(-10, -10, 10, 10).intersects(visible))
                continue;
        }
        view->Draw(painter, c);
    }
}

QByteArray TPreparedPages::SaveToBytes(const QString& printerName) const {
    QByteArray bytes;
    ReportStreamWriter out(bytes);
    out.u8(kFileVersion);
    out.u8(0); // not compressed
    out.string(printerName);
    out.i32(Count());
    for (const auto& page : m_pages) {
        const qsizetype endAt = out.position();
        out.i32(0); // patched once the page is written
        out.u16(page->PaperSize);
        out.i32(page->PaperWidth);
        out.i32(page->PaperHeight);
        out.u8(page->Orientation);
        out.i32(page->PaperBin);
        out.u8(page->UseMargins ? 1 : 0);
        out.i32(page->Margins.Left);
        out.i32(page->Margins.Top);
        out.i32(page->Margins.Right);
        out.i32(page->Margins.Bottom);
        bytes.append(page->ObjectStream);
        out.patchI32(endAt, static_cast<std::int32_t>(bytes.size()));
    }
    return bytes;
}

void TPreparedPages::SaveToFile(QIODevice& device, const QString& printerName) const {
    const QByteArray bytes = SaveToBytes(printerName);
    if (device.write(bytes) != bytes.size())
        throw support::UserError(
            QStringLiteral("Ошибка записи файла отчета: %1").arg(device.errorString()));
}

QString TPreparedPages::SaveToFile(const QString& fileName, const QString& printerName) const {
    const QFileInfo info(fileName);
    const QString name =
        info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".prp");
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw support::UserError(
            QStringLiteral("Не удалось создать файл %1.\r%2").arg(name, file.errorString()));
    SaveToFile(file, printerName);
    if (!file.commit())
        throw support::UserError(
            QStringLiteral("Не удалось записать файл %1.\r%2").arg(name, file.errorString()));
    return name;
}

void TPreparedPages::LoadFromBytes(const QByteArray& bytes, ReportPrinterPort& printer) {
    ReportStreamReader in(bytes);
    if (bytes.isEmpty())
        throw ReportStreamError(QStringLiteral("Файл отчета пуст"));
    const std::uint8_t version = in.u8();
    if (version < 24 || version > 31)
        throw ReportStreamError(
            QStringLiteral(
                "Файл не является файлом отчета или записан в устаревшем формате (первый байт %1)")
                .arg(version));
    if (in.u8() != 0)
        throw ReportStreamError(QStringLiteral("Сжатые файлы отчета не поддерживаются"));
    const QString printerName = in.string();
    const std::int32_t count = in.i32();
    if (count < 0 || count > (in.size() - in.position()) / (kPageRecordSize + 1))
        throw ReportStreamError(
            QStringLiteral("Файл отчета поврежден: число страниц %1 не соответствует размеру файла")
                .arg(count));

    std::vector<std::unique_ptr<PreparedPage>> pages;
    pages.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        auto page = std::make_unique<PreparedPage>();
        qsizetype endAt = 0;
        try {
            endAt = in.i32();
            page->PaperSize = in.u16();
            page->PaperWidth = in.i32();
            page->PaperHeight = in.i32();
            page->Orientation = in.u8();
            // Versions above 23 carry the bin and the margins.
            page->PaperBin = in.i32();
            page->UseMargins = in.u8() != 0;
            page->Margins.Left = in.i32();
            page->Margins.Top = in.i32();
            page->Margins.Right = in.i32();
            page->Margins.Bottom = in.i32();
        } catch (const ReportStreamError& e) {
            throw ReportStreamError(pageError(i, e.message()));
        }
        const qsizetype start = in.position();
        if (endAt < start)
            throw ReportStreamError(pageError(
                i, QStringLiteral("позиция конца страницы %1 указывает назад").arg(endAt)));
        if (endAt > in.size())
            throw ReportStreamError(pageError(
                i, QStringLiteral("позиция конца страницы %1 за концом файла").arg(endAt)));
        page->ObjectStream = bytes.mid(start, endAt - start);
        try {
            forEachStoredObject(page->ObjectStream, [](std::unique_ptr<TReportView>) {});
        } catch (const ReportStreamError& e) {
            throw ReportStreamError(pageError(i, e.message()));
        }
        in.seek(endAt);
        pages.push_back(std::move(page));
    }

    // Everything read: only now the list and the printer change.
    const int printerIndex = static_cast<int>(printer.printerNames().indexOf(printerName));
    if (printerIndex >= 0)
        printer.selectPrinter(printerIndex);
    for (auto& page : pages) {
        PaperSpec paper = page->paper();
        page->Geometry = printer.applyPaper(paper);
    }
    m_pages = std::move(pages);
}

void TPreparedPages::LoadFromFile(QIODevice& device, ReportPrinterPort& printer) {
    LoadFromBytes(device.readAll(), printer);
}

void TPreparedPages::LoadFromFile(const QString& fileName, ReportPrinterPort& printer) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw support::UserError(
            QStringLiteral("Не удалось открыть файл %1.\r%2").arg(fileName, file.errorString()));
    LoadFromFile(file, printer);
}

} // namespace dbfquery::report
