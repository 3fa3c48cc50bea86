#pragma once

#include "data/ResultSet.h"

#include <cstdio>
#include <string>

namespace dbfquery::dbfsql {

// The text of one cell as dbfsql prints it: numbers in C locale with the
// column's decimals, logicals as T/F, dates ISO, binary as hex; empty for null.
void appendCell(std::string& out, const data::ResultSet& rows, qsizetype row, int column);

// UTF-8 CSV with a header line; fields quoted only when they must be.
void writeCsv(std::FILE* out, const data::ResultSet& rows);
// Columns padded to their widest cell, numbers on the right.
void writeTable(std::FILE* out, const data::ResultSet& rows);
// One line per column: name, type, width, decimals, numeric class.
void writeTypes(std::FILE* out, const data::ResultSet& rows);

} // namespace dbfquery::dbfsql
