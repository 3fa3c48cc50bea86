#pragma once

#include <QString>

namespace dbfquery::xls {

class TXLSWorkbook;

// A writer that turns a finished workbook model into a file.
class TCustomWriter {
public:
    virtual ~TCustomWriter() = default;
    // The base version writes nothing.
    virtual void Save(TXLSWorkbook& workbook, const QString& fileName) {
        (void)workbook;
        (void)fileName;
    }
};

} // namespace dbfquery::xls
