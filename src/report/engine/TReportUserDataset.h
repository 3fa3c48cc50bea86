#pragma once

#include "report/engine/ReportDataSet.h"

namespace dbfquery::report {

enum class TRangeEnd { reCount };

// A counted source without a dataset: RangeEndCount records, numbered from 0
// (the table report's columns).
class TReportUserDataset final : public ReportDataSet {
public:
    explicit TReportUserDataset(QString name = {}, int count = 0)
        : m_name(std::move(name)), RangeEndCount(count) {}

    void First() override { m_recNo = 0; }
    void Next() override {
        if (!Eof())
            ++m_recNo;
    }
    bool Eof() const override { return m_recNo >= RangeEndCount; }
    int RecNo() const override { return m_recNo; }
    QString Name() const override { return m_name; }

private:
    QString m_name;
    int m_recNo = 0;

public:
    TRangeEnd RangeEnd = TRangeEnd::reCount;
    int RangeEndCount;
};

} // namespace dbfquery::report
