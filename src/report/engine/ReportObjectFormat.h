#pragma once

#include "report/engine/ReportStreamReader.h"
#include "report/engine/ReportStreamWriter.h"
#include "report/engine/TReportView.h"

#include <memory>

namespace dbfquery::report {

// Version byte at the start of every prepared page's object stream.
inline constexpr std::uint8_t kObjectStreamVersion = 24;

// Writes one object in prepared form: kind byte, name, record version
// (2, 0 for text / 1 for bands), the 30 bytes of position, flags and frame,
// fill, the final text lines, restrictions, tag, insets, band alignment, and
// for a text object its font, alignment and spacing.
void writePreparedObject(ReportStreamWriter& out, const TReportView& view);

// Reads one object written by writePreparedObject. A damaged record, an
// unknown kind or a class that is not registered throws ReportStreamError.
std::unique_ptr<TReportView> readPreparedObject(ReportStreamReader& in);

// Creates an empty object of a kind; null for kinds that do not exist.
std::unique_ptr<TReportView> createObject(ObjectKind kind);

} // namespace dbfquery::report
