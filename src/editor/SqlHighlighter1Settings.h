#pragma once

namespace dbfquery::editor {

class TSqlHighlighter;

// The main window's settings for its scanner SqlHighlighter1: the standard
// dialect, the file filter and the colours and styles of the attributes it
// names; the other attributes keep their defaults.
void ApplySqlHighlighter1Settings(TSqlHighlighter& highlighter);

} // namespace dbfquery::editor
