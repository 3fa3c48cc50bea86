#pragma once

#include <QString>

namespace dbfquery::report {

// A data source the bands walk: First, then Next until Eof. RecNo is the
// current record's number from 0. GUI thread only.
class ReportDataSet {
public:
    virtual ~ReportDataSet() = default;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    virtual int RecNo() const = 0;
    // The component name bands refer to it by.
    virtual QString Name() const = 0;
};

} // namespace dbfquery::report
