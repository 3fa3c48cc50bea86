#include "report/engine/ReportObjectFormat.h"

#include "report/engine/TBandView.h"
#include "report/engine/TCarriedView.h"
#include "report/engine/TMemoView.h"

namespace dbfquery::report {
namespace {

// Generous bounds that keep the layout arithmetic far from overflow; a page
// is about a thousand units.
void checkRange(std::int64_t value, std::int64_t limit, const char* field, qsizetype at) {
    if (value < -limit || value > limit)
        throw ReportStreamError(QStringLiteral("Данные отчета повреждены: недопустимое значение "
                                               "поля %1 (%2) у объекта по смещению %3")
                                    .arg(QLatin1String(field))
                                    .arg(value)
                                    .arg(at));
}

} // namespace

std::unique_ptr<TReportView> createObject(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Memo:
        return std::make_unique<TMemoView>();
    case ObjectKind::Picture:
        return std::make_unique<TPictureView>();
    case ObjectKind::Band:
        return std::make_unique<TBandView>();
    case ObjectKind::SubReport:
        return std::make_unique<TSubReportView>();
    case ObjectKind::Line:
        return std::make_unique<TLineView>();
    case ObjectKind::AddIn:
        break;
    }
    return nullptr;
}

void writePreparedObject(ReportStreamWriter& out, const TReportView& view) {
    const ObjectKind kind = view.kind();
    out.u8(static_cast<std::uint8_t>(kind));
    out.string(view.Name);
    out.u8(2);
    out.u8(kind == ObjectKind::Band ? 1 : 0);
    out.i32(view.Left);
    out.i32(view.Top);
    out.i32(view.Width);
    out.i32(view.Height);
    out.u16(view.Flags);
    out.u16(view.FrameTyp);
    out.frameWidth(view.FrameWidth);
    out.u32(view.FrameColor);
    out.u16(view.FrameStyle);
    out.u32(view.FillColor);
    out.stringList(view.Memo);
    out.u16(view.Restrictions);
    out.string(view.Tag);
    out.i32(view.GapX);
    out.i32(view.GapY);
    out.u8(view.BandAlign);
    if (kind != ObjectKind::Memo)
        return;
    const auto& memo = static_cast<const TMemoView&>(view);
    out.string(memo.Font.Name);
    out.i32(memo.Font.Size);
    out.u16(memo.Font.Style);
    out.u32(memo.Font.Color);
    out.i32(memo.Alignment);
    out.u16(memo.Font.Charset);
    out.i32(memo.LineSpacing);
    out.i32(memo.CharSpacing);
}

std::unique_ptr<TReportView> readPreparedObject(ReportStreamReader& in) {
    const qsizetype at = in.position();
    const std::uint8_t kindByte = in.u8();
    if (kindByte == static_cast<std::uint8_t>(ObjectKind::AddIn)) {
        // No add-in class is registered in this program.
        const QString className = in.string();
        throw ReportStreamError(
            QStringLiteral("Класс объекта не зарегистрирован: %1").arg(className));
    }
    std::unique_ptr<TReportView> view = kindByte <= static_cast<std::uint8_t>(ObjectKind::Line)
                                            ? createObject(static_cast<ObjectKind>(kindByte))
                                            : nullptr;
    if (!view)
        throw ReportStreamError(
            QStringLiteral("Данные отчета повреждены: неизвестный вид объекта %1 (смещение %2)")
                .arg(kindByte)
                .arg(at));
    view->Name = in.string();
    in.u8(); // record version: major
    in.u8(); // minor
    view->Left = in.i32();
    view->Top = in.i32();
    view->Width = in.i32();
    view->Height = in.i32();
    view->Flags = in.u16();
    view->FrameTyp = in.u16();
    view->FrameWidth = in.frameWidth();
    view->FrameColor = in.u32();
    view->FrameStyle = in.u16();
    view->FillColor = in.u32();
    view->Memo = in.stringList();
    view->Restrictions = in.u16();
    view->Tag = in.string();
    view->GapX = in.i32();
    view->GapY = in.i32();
    view->BandAlign = in.u8();
    constexpr std::int64_t kPlace = 1'000'000, kSmall = 10'000;
    checkRange(view->Left, kPlace, "Left", at);
    checkRange(view->Top, kPlace, "Top", at);
    checkRange(view->Width, kPlace, "Width", at);
    checkRange(view->Height, kPlace, "Height", at);
    checkRange(static_cast<std::int64_t>(view->FrameWidth), kSmall, "FrameWidth", at);
    checkRange(view->GapX, kSmall, "GapX", at);
    checkRange(view->GapY, kSmall, "GapY", at);
    if (view->kind() == ObjectKind::Memo) {
        auto& memo = static_cast<TMemoView&>(*view);
        memo.Font.Name = in.string();
        memo.Font.Size = in.i32();
        memo.Font.Style = in.u16();
        memo.Font.Color = in.u32();
        memo.Alignment = in.i32();
        memo.Font.Charset = in.u16();
        memo.LineSpacing = in.i32();
        memo.CharSpacing = in.i32();
        checkRange(memo.Font.Size, 1000, "Font.Size", at);
        checkRange(memo.LineSpacing, kSmall, "LineSpacing", at);
        checkRange(memo.CharSpacing, kSmall, "CharSpacing", at);
    }
    return view;
}

} // namespace dbfquery::report
