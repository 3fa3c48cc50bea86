#include "report/engine/BandLayout.h"

#include "report/engine/ProgressHost.h"
#include "report/engine/TBandView.h"
#include "report/engine/TMemoView.h"
#include "report/engine/TReport.h"
#include "report/engine/TReportUserDataset.h"

#include <algorithm>

namespace dbfquery::report {
namespace {

bool isDataKind(BandKind k) {
    return k == BandKind::MasterData || k == BandKind::DetailData || k == BandKind::SubdetailData ||
           k == BandKind::CrossData;
}

bool fixedPlace(BandKind k) {
    return k == BandKind::Overlay || k == BandKind::None;
}

bool conditionHolds(const QString& value) {
    return value == QLatin1String("1") ||
           value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

} // namespace

BandLayout::BandLayout(TReport& report, const TextMeasurer& measurer,
                       ExpressionEvaluator& evaluator, ProgressHost& progress)
    : m_report(report), m_measurer(measurer), m_evaluator(evaluator), m_progress(progress) {}

BandLayout::~BandLayout() = default;

void BandLayout::checkStop() const {
    if (m_report.StopRequested)
        throw Stopped{};
}

void BandLayout::assign(TReportPage& design) {
    std::vector<TReportView*> others;
    std::vector<Band*> crossBands;
    std::vector<Band*> horizontal;
    for (const auto& object : design.Objects) {
        if (object->kind() != ObjectKind::Band) {
            others.push_back(object.get());
            continue;
        }
        const auto& view = static_cast<const TBandView&>(*object);
        auto band = std::make_unique<Band>();
        band->kind = view.bandKind();
        if (static_cast<int>(band->kind) >= kBandKindCount || band->kind == BandKind::None)
            continue;
        band->flags = view.Flags;
        const bool cross = isCrossKind(band->kind);
        band->top = cross ? view.Left : view.Top;
        band->height = cross ? view.Width : view.Height;
        band->width = band->height;
        bool isNumber = false;
        const int count = view.DataSet.toInt(&isNumber);
        if (isNumber) {
            band->counted = std::make_unique<TReportUserDataset>(QString(), count);
            band->dataSet = band->counted.get();
        } else if (!view.DataSet.isEmpty()) {
            band->dataSet = m_report.findDataSet(view.DataSet);
        }
        (cross ? crossBands : horizontal).push_back(band.get());
        m_bands.push_back(std::move(band));
    }

    // Cross bands first: objects wholly inside a cross band's span.
    std::vector<std::unique_ptr<Member>> members;
    for (TReportView* view : others) {
        auto member = std::make_unique<Member>();
        member->view = view;
        member->original = view->clone();
        member->relLeft = view->Left;
        for (Band* cross : crossBands) {
            if (view->Left >= cross->top &&
                view->Left + view->Width <= cross->top + cross->height) {
                member->cross = cross;
                member->relLeft = view->Left - cross->top;
                break;
            }
        }
        members.push_back(std::move(member));
    }

    // Then horizontal bands in order of kind and top edge.
    std::stable_sort(horizontal.begin(), horizontal.end(), [](const Band* a, const Band* b) {
        return a->kind != b->kind ? a->kind < b->kind : a->top < b->top;
    });
    std::vector<bool> placed(members.size(), false);
    for (Band* band : horizontal) {
        for (std::size_t i = 0; i < members.size(); ++i) {
            Member& m = *members[i];
            if (placed[i] || m.view->Top < band->top || m.view->Top > band->top + band->height)
                continue;
            placed[i] = true;
            m.relTop = m.view->Top - band->top;
            (m.cross ? band->crossObjects : band->objects).push_back(&m);
        }
        Band*& first = m_slots[static_cast<std::size_t>(band->kind)];
        if (!first) {
            first = band;
        } else {
            Band* last = first;
            while (last->next)
                last = last->next;
            last->next = band;
        }
    }
    for (Band* cross : crossBands) {
        Band*& first = m_slots[static_cast<std::size_t>(cross->kind)];
        if (!first)
            first = cross;
    }

    // Objects on no band print at their design place.
    auto none = std::make_unique<Band>();
    none->kind = BandKind::None;
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (!placed[i] && !members[i]->cross) {
            members[i]->relTop = members[i]->view->Top;
            none->objects.push_back(members[i].get());
        }
    }
    m_slots[static_cast<std::size_t>(BandKind::None)] = none.get();
    m_bands.push_back(std::move(none));
    for (auto& m : members)
        m_members.push_back(std::move(m));

    // Header and footer pairing.
    for (Band* header = slot(BandKind::MasterHeader); header; header = header->next) {
        for (Band* data = slot(BandKind::MasterData); data; data = data->next) {
            if (data->top > header->top + header->height) {
                header->data = data;
                data->header = header;
                break;
            }
        }
    }
    for (Band* footer = slot(BandKind::MasterFooter); footer; footer = footer->next) {
        Band* last = nullptr;
        for (Band* data = slot(BandKind::MasterData); data; data = data->next)
            if (data->top + data->height < footer->top)
                last = data;
        if (last) {
            footer->data = last;
            last->footer = footer;
        }
    }
}

bool BandLayout::prepareObject(Member& member, Band& band, int x, int top) {
    TReportView& view = *member.view;
    view.copyFrom(*member.original);
    view.Left = member.cross ? x + member.relLeft : member.original->Left;
    view.Top = top + member.relTop;
    if (member.cross)
        view.Width = member.cross->width;
    if (view.kind() != ObjectKind::Memo)
        return view.Visible;

    auto& memo = static_cast<TMemoView&>(view);
    QStringList text = memo.Memo;
    if (m_report.OnBeforePrint)
        m_report.OnBeforePrint(text, memo);
    if (text == memo.Memo && !(memo.Flags & flTextOnly)) {
        m_evaluator.page = m_pageIndex + 1;
        try {
            for (QString& line : text)
                line = m_evaluator.expand(line);
            if (!memo.Highlight.Condition.isEmpty() &&
                conditionHolds(m_evaluator.evaluate(memo.Highlight.Condition))) {
                memo.Font.Style = memo.Highlight.FontStyle;
                memo.Font.Color = memo.Highlight.FontColor;
                memo.FillColor = memo.Highlight.FillColor;
            }
        } catch (const ExpressionError& e) {
            m_report.StopRequested = true;
            QString message = QStringLiteral("Возникла ошибка при обработке выражения");
            for (const QString& line : memo.Memo)
                message += QChar(13) + line;
            message += QChar(13);
            message += QChar(13) + QStringLiteral("Документ:") + QLatin1Char(' ') + m_report.Name;
            message += QChar(13) + QStringLiteral("Объект:") + QLatin1Char(' ') + memo.Name;
            message += QChar(13);
            message += QChar(13) + e.message();
            throw ExpressionError(message);
        }
    }
    memo.Memo = text;
    if (!memo.Visible)
        return false;

    switch (memo.BandAlign) {
    case baBottom:
        memo.Top = top + band.printedHeight - memo.Height;
        break;
    case baTop:
        memo.Top = top;
        break;
    case baWidth:
        if (member.cross) {
            memo.Width = member.cross->width;
            memo.BandAlign = baNone;
        } else {
            memo.Left = m_limits.left;
            memo.Width = m_limits.right - m_limits.left - 1;
        }
        break;
    default:
        break;
    }
    return true;
}

int BandLayout::bandHeight(Band& band) {
    int height = band.height;
    if (!(band.flags & flBandStretched))
        return height;
    auto measure = [&](Member& m, int x) {
        if (m.view->kind() != ObjectKind::Memo || !prepareObject(m, band, x, 0))
            return;
        const auto& memo = static_cast<const TMemoView&>(*m.view);
        height = std::max(height, m.relTop + memo.CalcHeight(m_measurer));
    };
    for (Member* m : band.objects)
        measure(*m, 0);
    if (!band.crossObjects.empty()) {
        Band* cross = band.crossObjects.front()->cross;
        if (cross->dataSet) {
            int col = 1;
            for (cross->dataSet->First(); !cross->dataSet->Eof(); cross->dataSet->Next(), ++col) {
                cross->width = cross->height;
                if (m_report.OnPrintColumn)
                    m_report.OnPrintColumn(col, cross->width);
                for (Member* m : band.crossObjects)
                    measure(*m, cross->top);
            }
        }
    }
    return height;
}

void BandLayout::printObject(Member& member, Band& band, int x) {
    if (!prepareObject(member, band, x, band.printedTop))
        return;
    TReportView& view = *member.view;
    if ((band.flags & flBandStretched) && view.kind() == ObjectKind::Memo &&
        (view.Flags & flStretched))
        view.Height = band.printedHeight - member.relTop;
    if (view.Flags & flSuppress && view.kind() == ObjectKind::Memo) {
        if (member.printedOnce && view.Memo == member.lastText)
            return;
        member.lastText = view.Memo;
        member.printedOnce = true;
    }
    m_report.PreparedPages().AppendObject(m_pageIndex, view);
}

void BandLayout::printBandAt(Band& band, int top, int height) {
    band.printedTop = top;
    band.printedHeight = height;
    for (Member* m : band.objects)
        printObject(*m, band, 0);
    if (!band.crossObjects.empty())
        printCrossCells(band);
}

void BandLayout::printBand(Band* band) {
    if (!band || band->empty())
        return;
    checkStop();
    const BandKind kind = band->kind;
    if (kind == BandKind::PageFooter) {
        printBandAt(*band, m_bottom, bandHeight(*band));
        return;
    }
    if (fixedPlace(kind)) {
        printBandAt(*band, kind == BandKind::Overlay ? band->top : 0, band->height);
        return;
    }
    const int height = bandHeight(*band);
    if (kind != BandKind::ColumnFooter && !m_inNewPage) {
        const Band* columnFooter = slot(BandKind::ColumnFooter);
        const int footerHeight =
            columnFooter && !columnFooter->empty() && !m_noRepeat ? columnFooter->height : 0;
        if (m_curY + height + footerHeight > m_bottom)
            newPage(band);
    }
    printBandAt(*band, m_curY, height);
    m_curY += height;
    if (!isDataKind(kind) && (band->flags & flBandNewPageAfter) && !m_inNewPage)
        newPage(nullptr);
}

void BandLayout::printCrossCells(Band& band) {
    Band* cross = band.crossObjects.front()->cross;
    if (!cross->dataSet)
        return;
    const int startPage = m_pageIndex;
    TPreparedPages& pages = m_report.PreparedPages();
    int x = cross->top;
    int col = 1;
    for (cross->dataSet->First(); !cross->dataSet->Eof(); cross->dataSet->Next(), ++col) {
        cross->width = cross->height;
        if (m_report.OnPrintColumn)
            m_report.OnPrintColumn(col, cross->width);
        // A column wider than the whole page stays where a row starts.
        if (x + cross->width > m_limits.right && x > m_limits.left) {
            ++m_pageIndex;
            if (m_pageIndex >= pages.Count()) {
                pages.AddPage(*m_design);
                printBand(slot(BandKind::Overlay));
                Band* header = slot(BandKind::PageHeader);
                if (header && header != &band && !header->empty() &&
                    (startPage != m_firstPage || (header->flags & flBandOnFirstPage)))
                    printBandAt(*header, m_limits.top, bandHeight(*header));
            }
            x = m_limits.left;
        }
        for (Member* m : band.crossObjects)
            printObject(*m, band, x);
        x += cross->width;
    }
    m_pageIndex = startPage;
}

void BandLayout::reportProgress(int pageNumber) {
    m_progress.setLine(QStringLiteral("Формируется страница:") + QStringLiteral("  ") +
                       QString::number(pageNumber));
}

void BandLayout::printPageFooters() {
    Band* footer = slot(BandKind::PageFooter);
    const int current = m_pageIndex;
    const int last = m_report.PreparedPages().Count() - 1;
    for (int page = current; page <= last; ++page) {
        if (page == m_firstPage && !(footer && (footer->flags & flBandOnFirstPage)))
            continue;
        if (m_report.OnEndPage)
            m_report.OnEndPage(page);
        m_pageIndex = page;
        printBand(footer);
    }
    m_pageIndex = current;
}

void BandLayout::startPage() {
    const Band* footer = slot(BandKind::PageFooter);
    m_pageIndex = m_report.PreparedPages().AddPage(*m_design);
    m_limits = m_design->limits();
    m_bottom = m_limits.bottom - (footer && !footer->empty() ? footer->height : 0);
    m_curY = m_limits.top;
}

void BandLayout::newPage(Band* failed) {
    reportProgress(m_report.PreparedPages().Count() + 1);
    checkStop();
    const bool outer = !m_inNewPage;
    m_inNewPage = true;
    struct Reset {
        bool& flag;
        bool outer;
        ~Reset() {
            if (outer)
                flag = false;
        }
    } reset{m_inNewPage, outer};
    if (!m_noRepeat)
        printBand(slot(BandKind::ColumnFooter));
    printPageFooters();
    startPage();
    printBand(slot(BandKind::Overlay));
    printBand(slot(BandKind::PageHeader));
    printBand(slot(BandKind::ColumnHeader));
    if (failed && isDataKind(failed->kind) && failed->header &&
        (failed->header->flags & flBandRepeatHeader))
        printBand(failed->header);
}

void BandLayout::formPage(TReportPage& design) {
    m_design = &design;
    assign(design);
    Band* master = slot(BandKind::MasterData);
    if (master && master->dataSet && !m_report.PrintIfEmpty) {
        master->dataSet->First();
        if (master->dataSet->Eof())
            return;
    }
    startPage();
    m_firstPage = m_pageIndex;
    printBand(slot(BandKind::Overlay));
    printBand(slot(BandKind::None));
    const int before = m_pageIndex;
    printBand(slot(BandKind::ReportTitle));
    if (m_pageIndex == before) {
        Band* header = slot(BandKind::PageHeader);
        if (header && (header->flags & flBandOnFirstPage))
            printBand(header);
        printBand(slot(BandKind::ColumnHeader));
    }

    for (Band* data = master; data; data = data->next) {
        ReportDataSet* source = data->dataSet;
        if (!source)
            continue;
        source->First();
        if (source->Eof())
            continue;
        printBand(data->header);
        while (!source->Eof()) {
            checkStop();
            printBand(data);
            source->Next();
            if ((data->flags & flBandNewPageAfter) && !source->Eof())
                newPage(nullptr);
        }
        printBand(data->footer);
    }

    printBand(slot(BandKind::ColumnFooter));
    m_noRepeat = true;
    printBand(slot(BandKind::ReportSummary));
    m_noRepeat = false;

    Band* footer = slot(BandKind::PageFooter);
    if (footer && ((footer->flags & flBandOnLastPage) ||
                   (m_pageIndex == m_firstPage && (footer->flags & flBandOnFirstPage)))) {
        const int current = m_pageIndex;
        const int last = m_report.PreparedPages().Count() - 1;
        for (int page = current; page <= last; ++page) {
            if (m_report.OnEndPage)
                m_report.OnEndPage(page);
            m_pageIndex = page;
            printBand(footer);
        }
        m_pageIndex = current;
    }
}

} // namespace dbfquery::report
