#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace dbfquery::editor {

// The scanner reads single-byte Windows-1251 text. These map the editor's
// Unicode text onto it: Cyrillic letters to their code-page bytes, other
// characters above 127 to a byte that is neither a word nor an identifier
// character, and an embedded zero to a blank so it cannot cut the line short.
unsigned char scannerByte(char32_t codePoint);

// One scanner byte per character of `text`, followed by a zero byte.
QByteArray scannerBytes(QStringView text);

// One scanner byte per UTF-8 character of `utf8`; `widths`, when given,
// receives the number of UTF-8 bytes each scanner byte stands for. Invalid
// UTF-8 bytes count as one character each.
QByteArray scannerBytesFromUtf8(const char* utf8, int length, std::vector<int>* widths);

} // namespace dbfquery::editor
