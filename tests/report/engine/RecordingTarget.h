#pragma once

#include "report/engine/ExportTarget.h"
#include "report/engine/TReportView.h"

#include <QString>
#include <vector>

namespace dbfquery::report::testing {

// Records the export calls, one entry each, in order.
struct ExportCall {
    enum Kind { BeginPage, EndPage, ObjectData, TextLine };
    explicit ExportCall(Kind k) : kind(k) {}
    Kind kind;
    int x = 0, y = 0;
    DrawRect rect;
    QString text;
    std::uint16_t frame = 0;
    QString name; // the view's name
    int top = 0;  // the view's Top, Left, Width, Height
    int left = 0;
    int width = 0;
    int height = 0;
    QStringList memo;
};

class RecordingTarget final : public ExportTarget {
public:
    std::vector<ExportCall> calls;

    void BeginPage() override { calls.emplace_back(ExportCall::BeginPage); }
    void EndPage() override { calls.emplace_back(ExportCall::EndPage); }
    void ObjectData(int x, int y, const TReportView& view) override {
        ExportCall c(ExportCall::ObjectData);
        c.x = x;
        c.y = y;
        keep(c, view);
        calls.push_back(c);
    }
    void TextLine(const DrawRect& rect, int x, int y, const QString& text, std::uint16_t frame,
                  const TReportView& view) override {
        ExportCall c(ExportCall::TextLine);
        c.rect = rect;
        c.x = x;
        c.y = y;
        c.text = text;
        c.frame = frame;
        keep(c, view);
        calls.push_back(c);
    }

    std::vector<ExportCall> of(ExportCall::Kind kind) const {
        std::vector<ExportCall> out;
        for (const ExportCall& c : calls)
            if (c.kind == kind)
                out.push_back(c);
        return out;
    }

private:
    static void keep(ExportCall& c, const TReportView& view) {
        c.name = view.Name;
        c.top = view.Top;
        c.left = view.Left;
        c.width = view.Width;
        c.height = view.Height;
        c.memo = view.Memo;
    }
};

} // namespace dbfquery::report::testing
