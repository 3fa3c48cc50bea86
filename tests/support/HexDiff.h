#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>

namespace dbfquery::testing {

// Empty when the two byte strings are equal; otherwise where they first
// differ, with up to 16 bytes of each from there, for a failure message:
// EXPECT_EQ(hexDiff(expected, actual), "") << "record BOF";
inline std::string hexDiff(const QByteArray& expected, const QByteArray& actual) {
    const qsizetype common = std::min(expected.size(), actual.size());
    qsizetype at = 0;
    while (at < common && expected[at] == actual[at])
        ++at;
    if (at == common && expected.size() == actual.size())
        return {};
    auto window = [at](const QByteArray& bytes) {
        return bytes.mid(at, 16).toHex(' ').toStdString();
    };
    return "first difference at offset " + std::to_string(at) + " (expected size " +
           std::to_string(expected.size()) + ", actual " + std::to_string(actual.size()) +
           ")\n  expected: " + window(expected) + "\n  actual:   " + window(actual);
}

} // namespace dbfquery::testing
