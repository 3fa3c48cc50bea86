#include "editor/SqlHighlighter1Settings.h"

#include "editor/TSqlHighlighter.h"

namespace dbfquery::editor {

void ApplySqlHighlighter1Settings(TSqlHighlighter& h) {
    constexpr TColor green = rgbColor(0, 128, 0);
    constexpr TColor navy = rgbColor(0, 0, 128);
    constexpr TColor red = rgbColor(255, 0, 0);
    constexpr TColor blue = rgbColor(0, 0, 255);
    constexpr TColor fuchsia = rgbColor(255, 0, 255);
    constexpr TColor purple = rgbColor(128, 0, 128);

    h.SetSQLDialect(sqlStandard);
    h.SetDefaultFilter(QStringLiteral("SQL Files (*.sql)|*.sql"));
    h.CommentAttri()->SetForeground(green);
    h.FunctionAttri()->SetForeground(navy);
    h.KeyAttri()->SetForeground(navy);
    h.NumberAttri()->SetForeground(red);
    h.StringAttri()->SetForeground(blue);
    h.SymbolAttri()->SetForeground(fuchsia);
    h.SymbolAttri()->SetStyle(fsBold);
    h.TableNameAttri()->SetForeground(purple);
    h.TableNameAttri()->SetStyle(fsBold);
    h.VariableAttri()->SetForeground(fuchsia);
}

} // namespace dbfquery::editor
