#pragma once

#include "support/DialogService.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace dbfquery::app {

// The line break a query text file is written with: the one the last loaded
// file used, carriage return + line feed until then.
enum class LineBreak { CrLf, Lf, Cr };

struct SqlText {
    QStringList lines;
    LineBreak lineBreak = LineBreak::CrLf;
};

// Query text files: code page 1251 text, one line per editor line. Text that
// code page 1251 cannot hold is written as UTF-8 with a byte-order mark, and
// such a file (or any valid multi-byte UTF-8) reads back as UTF-8.
// GUI thread only for the two commands; the rest is plain functions.
namespace SqlTextFile {

// The save dialog's name with ".txt" appended unless it already ends so
// (the extension compared in upper case).
QString withTxtExtension(const QString& fileName);

// Splits at CR, LF, CR LF or a zero byte (dropped); a break at the very end
// adds no empty line. The style is LF or CR when every break is of that kind.
SqlText decode(const QByteArray& bytes);
QByteArray encode(const QStringList& lines, LineBreak lineBreak);

// Throw support::UserError naming the file. write replaces the file
// atomically: a failed write leaves the old content whole.
SqlText read(const QString& path);
void write(const QString& path, const QStringList& lines, LineBreak lineBreak);

support::FileDialog saveDialog(); // SaveSql
support::FileDialog openDialog(); // OpenSql

// The save command. Returns the status text for panel 1, or nothing when the
// user cancelled or declined to overwrite. Throws support::UserError when the
// file cannot be written.
std::optional<QString> saveSqlToFile(const QStringList& lines, LineBreak lineBreak);

struct Loaded {
    SqlText text;
    QString status; // for panel 1
};
// The load command. `clearEditor` runs once a file has been chosen and before
// it is read, so a failed read leaves the editor empty. Nothing when the user
// cancelled; throws support::UserError when the file cannot be read.
std::optional<Loaded> loadSqlFromFile(const std::function<void()>& clearEditor);

} // namespace SqlTextFile

} // namespace dbfquery::app
