#pragma once

#include "editor/TCustomHighlighter.h"
#include "editor/THashEntry.h"

#include <QStringList>
#include <cstdint>

namespace dbfquery::editor {

enum TSqlTokenKind : std::uint8_t {
    skComment,
    skDataType,
    skDefaultPackage,
    skException,
    skFunction,
    skIdentifier,
    skKey,
    skNull,
    skNumber,
    skSpace,
    skPLSQL,
    skSQLPlus,
    skString,
    skSymbol,
    skTableName,
    skUnknown,
    skVariable,
};
constexpr int kSqlTokenKindCount = skVariable + 1;

// The state carried from the end of one line to the start of the next.
enum TSqlLineState : int {
    lsNormal = 0,
    lsComment = 1, // inside a block comment
    lsString = 2,  // inside a single-quoted string
};

// Only sqlStandard has a keyword list here; every other value scans the same
// way. The program never selects another value.
enum TSQLDialect {
    sqlStandard,
    sqlInterbase6,
    sqlMSSQL7,
    sqlMySQL,
    sqlOracle,
    sqlSybase,
    sqlIngres,
    sqlMSSQL2K,
};

// Cuts one line of SQL into tokens for colouring. Works in place on the line
// it is given; token text is copied only by TokenText. GUI thread only.
class TSqlHighlighter : public TCustomHighlighter {
    Q_OBJECT

public:
    explicit TSqlHighlighter(QObject* parent = nullptr);
    ~TSqlHighlighter() override;

    THighlighterAttributes* DefaultAttribute(int index) const override;
    const TCharSet& WordChars() const override;
    bool AtLineEnd() const override { return m_tokenKind == skNull; }
    int LineState() const override { return m_range; }
    QByteArray TokenText() const override;
    THighlighterAttributes* TokenAttribute() const override;
    int TokenKind() const override { return m_tokenKind; }
    int TokenStart() const override { return m_tokenPos; }
    bool IsKeyword(const QByteArray& word) const override;
    void NextToken() override;
    void StartLine(const char* text, int lineIndex) override;
    void SetLineState(int state) override { m_range = static_cast<TSqlLineState>(state); }
    void ResetLineState() override { m_range = lsNormal; }

    // The word characters, shared by all instances.
    static const TCharSet& WordCharSet();

    // Index of the line given to StartLine.
    int LineIndex() const { return m_lineIndex; }

    TSQLDialect SQLDialect() const { return m_dialect; }
    // Rebuilds the keyword table when the value differs from the current one.
    void SetSQLDialect(TSQLDialect dialect);

    const QStringList& TableNames() const { return m_tableNames; }
    // Rebuilds the keyword table; names already present are skipped.
    void SetTableNames(const QStringList& names);

    // Adds one word to the keyword table. Throws support::UserError
    // "Keyword "<word>" already in list" when the bucket holds it (case ignored).
    void AddKeyword(const QByteArray& word, TSqlTokenKind kind);

    // The hash of the run of identifier characters at `text`, 0 to 255.
    static int KeyHash(const char* text, int* runLength = nullptr);

    // The keyword table: bucket index -> chain. Grows to the highest bucket used.
    const std::vector<THashEntryList>& Buckets() const { return m_buckets; }

    QString DefaultFilter() const { return m_defaultFilter; }
    void SetDefaultFilter(const QString& filter) { m_defaultFilter = filter; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    static QString LanguageName() { return QStringLiteral("SQL"); }

    THighlighterAttributes* CommentAttri() const { return m_commentAttri; }
    THighlighterAttributes* DataTypeAttri() const { return m_dataTypeAttri; }
    THighlighterAttributes* DefaultPackageAttri() const { return m_defaultPackageAttri; }
    THighlighterAttributes* ExceptionAttri() const { return m_exceptionAttri; }
    THighlighterAttributes* FunctionAttri() const { return m_functionAttri; }
    THighlighterAttributes* IdentifierAttri() const { return m_identifierAttri; }
    THighlighterAttributes* KeyAttri() const { return m_keyAttri; }
    THighlighterAttributes* NumberAttri() const { return m_numberAttri; }
    THighlighterAttributes* PLSQLAttri() const { return m_plsqlAttri; }
    THighlighterAttributes* SpaceAttri() const { return m_spaceAttri; }
    THighlighterAttributes* SQLPlusAttri() const { return m_sqlPlusAttri; }
    THighlighterAttributes* StringAttri() const { return m_stringAttri; }
    THighlighterAttributes* SymbolAttri() const { return m_symbolAttri; }
    THighlighterAttributes* TableNameAttri() const { return m_tableNameAttri; }
    THighlighterAttributes* VariableAttri() const { return m_variableAttri; }

    // The attribute a token kind is drawn with; nullptr for skNull.
    THighlighterAttributes* AttributeForKind(int kind) const;

private:
    friend struct ScanTable;
    using ScanProc = void (TSqlHighlighter::*)();

    void rebuildKeywords();
    int identKind();
    void commentContinue();
    void stringContinue();
    void searchCommentEnd();
    void symbol(int length) {
        m_tokenKind = skSymbol;
        m_run += length;
    }
    char at(int offset) const { return reinterpret_cast<const char*>(m_line)[m_run + offset]; }

    void nullProc();
    void spaceProc();
    void lfProc();
    void crProc();
    void identProc();
    void numberProc();
    void asciiCharProc();
    void stringProc();
    void minusProc();
    void slashProc();
    void variableProc();
    void colonProc();
    void equalFollowsProc();
    void andProc();
    void plusProc();
    void orProc();
    void equalProc();
    void greaterProc();
    void lowerProc();
    void symbolProc();
    void unknownProc();

    const unsigned char* m_line = reinterpret_cast<const unsigned char*>("");
    int m_lineIndex = 0;
    int m_run = 0;
    int m_tokenPos = 0;
    TSqlTokenKind m_tokenKind = skNull;
    TSqlLineState m_range = lsNormal;
    int m_stringLen = 0;

    std::vector<THashEntryList> m_buckets;
    TSQLDialect m_dialect = sqlStandard;
    QStringList m_tableNames;
    QString m_defaultFilter;
    bool m_enabled = true;

    THighlighterAttributes* m_commentAttri;
    THighlighterAttributes* m_dataTypeAttri;
    THighlighterAttributes* m_defaultPackageAttri;
    THighlighterAttributes* m_exceptionAttri;
    THighlighterAttributes* m_functionAttri;
    THighlighterAttributes* m_identifierAttri;
    THighlighterAttributes* m_keyAttri;
    THighlighterAttributes* m_numberAttri;
    THighlighterAttributes* m_plsqlAttri;
    THighlighterAttributes* m_spaceAttri;
    THighlighterAttributes* m_sqlPlusAttri;
    THighlighterAttributes* m_stringAttri;
    THighlighterAttributes* m_symbolAttri;
    THighlighterAttributes* m_tableNameAttri;
    THighlighterAttributes* m_variableAttri;
};

// The standard dialect's reserved words, comma-separated.
extern const char* const kStandardKeywords;

} // namespace dbfquery::editor
