#include "editor/TSqlHighlighter.h"

#include "support/UserError.h"

#include <array>

namespace dbfquery::editor {

const char* const kStandardKeywords =
    "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,"
    "between,by,cache,cast,check,column,commit,committed,computed,conditional,"
    "constraint,containing,count,create,current,cursor,database,debug,declare,"
    "default,delete,desc,descending,distinct,do,domain,drop,else,end,entry_point,"
    "escape,exception,execute,exists,exit,external,extract,filter,for,foreign,from,"
    "full,function,generator,grant,group,having,if,in,inactive,index,inner,insert,"
    "into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,only,"
    "or,order,outer,parameter,password,plan,position,primary,privileges,procedure,"
    "protected,read,retain,returns,revoke,right,rollback,schema,select,set,shadow,"
    "shared,snapshot,some,suspend,table,then,to,transaction,trigger,uncommitted,"
    "union,unique,update,user,using,view,wait,when,where,while,with,work";

namespace {

bool inRange(int c, int lo, int hi) { return c >= lo && c <= hi; }

bool isLetter(int c) { return inRange(c, 'A', 'Z') || inRange(c, 'a', 'z'); }

struct CharTables {
    TCharSet ident;
    TCharSet word;
    std::array<unsigned char, 256> hash{};

    CharTables() {
        for (int c = 0; c < 256; ++c) {
            const bool digit = inRange(c, '0', '9');
            ident[c] = isLetter(c) || digit || c == '_' || c == '#' || c == '$';
            word[c] = isLetter(c) || digit || c == '_' || inRange(c, 192, 214) ||
                      inRange(c, 216, 246) || inRange(c, 248, 255);
            if (c == '_')
                hash[c] = 1;
            else if (inRange(c, 'A', 'Z'))
                hash[c] = static_cast<unsigned char>(c - 'A' + 2);
            else if (inRange(c, 'a', 'z'))
                hash[c] = static_cast<unsigned char>(c - 'a' + 2);
        }
    }
};

const CharTables& tables() {
    static const CharTables t;
    return t;
}

// Equal hash values mean the same letter in either case; characters without
// a hash value (digits, "#", "$") must match exactly.
bool sameWord(const unsigned char* a, const unsigned char* b, int length) {
    const auto& hash = tables().hash;
    for (int i = 0; i < length; ++i) {
        if (hash[a[i]] != hash[b[i]] || (hash[a[i]] == 0 && a[i] != b[i]))
            return false;
    }
    return true;
}

const unsigned char* bytes(const QByteArray& a) {
    return reinterpret_cast<const unsigned char*>(a.constData());
}

} // namespace

// The scanning routine for each byte value, built once.
struct ScanTable {
    using Proc = TSqlHighlighter::ScanProc;
    std::array<Proc, 256> procs;

    ScanTable() {
        for (int c = 0; c < 256; ++c)
            procs[c] = pick(c);
    }

    static Proc pick(int c) {
        using H = TSqlHighlighter;
        switch (c) {
        case 0: return &H::nullProc;
        case 10: return &H::lfProc;
        case 13: return &H::crProc;
        case '\'': return &H::asciiCharProc;
        case '"': return &H::stringProc;
        case '-': return &H::minusProc;
        case '/': return &H::slashProc;
        case '@': return &H::variableProc;
        case ':': return &H::colonProc;
        case '!': case '%': case '*': case '^': return &H::equalFollowsProc;
        case '&': return &H::andProc;
        case '+': return &H::plusProc;
        case '|': return &H::orProc;
        case '=': return &H::equalProc;
        case '>': return &H::greaterProc;
        case '<': return &H::lowerProc;
        case '(': case ')': case ',': case '.': case ';': case '?':
        case '[': case ']': case '{': case '}': case '~':
            return &H::symbolProc;
        default: break;
        }
        if (inRange(c, 1, 32))
            return &H::spaceProc;
        if (isLetter(c) || c == '_')
            return &H::identProc;
        if (inRange(c, '0', '9'))
            return &H::numberProc;
        return &H::unknownProc;
    }
};

namespace {
const ScanTable& scanTable() {
    static const ScanTable t;
    return t;
}
} // namespace

TSqlHighlighter::TSqlHighlighter(QObject* parent) : TCustomHighlighter(parent) {
    m_commentAttri = addAttribute(QStringLiteral("Comment"), fsItalic);
    m_dataTypeAttri = addAttribute(QStringLiteral("Data type"), fsBold);
    m_defaultPackageAttri = addAttribute(QStringLiteral("Default packages"), fsBold);
    m_exceptionAttri = addAttribute(QStringLiteral("Exception"), fsItalic);
    m_functionAttri = addAttribute(QStringLiteral("Function"), fsBold);
    m_identifierAttri = addAttribute(QStringLiteral("Identifier"), 0);
    m_keyAttri = addAttribute(QStringLiteral("Reserved word"), fsBold);
    m_numberAttri = addAttribute(QStringLiteral("Number"), 0);
    m_plsqlAttri = addAttribute(QStringLiteral("Reserved word (PL/SQL)"), fsBold);
    m_spaceAttri = addAttribute(QStringLiteral("Space"), 0);
    m_sqlPlusAttri = addAttribute(QStringLiteral("SQL*Plus command"), fsBold);
    m_stringAttri = addAttribute(QStringLiteral("String"), 0);
    m_symbolAttri = addAttribute(QStringLiteral("Symbol"), 0);
    m_tableNameAttri = addAttribute(QStringLiteral("Table name"), 0);
    m_variableAttri = addAttribute(QStringLiteral("Variable"), 0);
    m_defaultFilter = QStringLiteral("SQL Files (*.sql)|*.sql");
    rebuildKeywords();
}

TSqlHighlighter::~TSqlHighlighter() = default;

THighlighterAttributes* TSqlHighlighter::DefaultAttribute(int index) const {
    switch (index) {
    case 0: return m_commentAttri;
    case 1: return m_identifierAttri;
    case 2: return m_keyAttri;
    case 3: return m_stringAttri;
    case 4: return m_spaceAttri;
    case 5: return m_symbolAttri;
    default: return nullptr;
    }
}

const TCharSet& TSqlHighlighter::WordChars() const { return tables().word; }

const TCharSet& TSqlHighlighter::WordCharSet() { return tables().word; }

QByteArray TSqlHighlighter::TokenText() const {
    return QByteArray(reinterpret_cast<const char*>(m_line) + m_tokenPos, m_run - m_tokenPos);
}

THighlighterAttributes* TSqlHighlighter::AttributeForKind(int kind) const {
    switch (kind) {
    case skComment: return m_commentAttri;
    case skDataType: return m_dataTypeAttri;
    case skDefaultPackage: return m_defaultPackageAttri;
    case skException: return m_exceptionAttri;
    case skFunction: return m_functionAttri;
    case skIdentifier: return m_identifierAttri;
    case skKey: return m_keyAttri;
    case skNumber: return m_numberAttri;
    case skSpace: return m_spaceAttri;
    case skPLSQL: return m_plsqlAttri;
    case skSQLPlus: return m_sqlPlusAttri;
    case skString: return m_stringAttri;
    case skSymbol: return m_symbolAttri;
    case skTableName: return m_tableNameAttri;
    case skUnknown: return m_identifierAttri;
    case skVariable: return m_variableAttri;
    default: return nullptr;
    }
}

THighlighterAttributes* TSqlHighlighter::TokenAttribute() const {
    return AttributeForKind(m_tokenKind);
}

bool TSqlHighlighter::IsKeyword(const QByteArray& word) const {
    int length = 0;
    const int hash = KeyHash(word.constData(), &length);
    if (length != word.size() || hash >= int(m_buckets.size()))
        return false;
    for (const THashEntry& entry : m_buckets[hash]) {
        if (entry.length > length)
            break;
        if (entry.length == length && sameWord(bytes(entry.word), bytes(word), length)) {
            switch (entry.kind) {
            case skDataType: case skDefaultPackage: case skException:
            case skFunction: case skKey: case skPLSQL:
                return true;
            default:
                return false;
            }
        }
    }
    return false;
}

int TSqlHighlighter::KeyHash(const char* text, int* runLength) {
    const auto& t = tables();
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    unsigned h = 0;
    int n = 0;
    while (t.ident[p[n]]) {
        h = (2 * h + t.hash[p[n]]) & 0xFF;
        ++n;
    }
    if (runLength)
        *runLength = n;
    return int(h);
}

void TSqlHighlighter::SetSQLDialect(TSQLDialect dialect) {
    if (dialect == m_dialect)
        return;
    m_dialect = dialect;
    rebuildKeywords();
}

void TSqlHighlighter::SetTableNames(const QStringList& names) {
    m_tableNames = names;
    rebuildKeywords();
}

void TSqlHighlighter::AddKeyword(const QByteArray& word, TSqlTokenKind kind) {
    const auto& hashOf = tables().hash;
    unsigned h = 0;
    for (char c : word)
        h = (2 * h + hashOf[static_cast<unsigned char>(c)]) & 0xFF;
    if (h >= m_buckets.size())
        m_buckets.resize(h + 1);
    THashEntryList& chain = m_buckets[h];
    auto insertAt = chain.end();
    for (auto it = chain.begin(); it != chain.end(); ++it) {
        if (it->length == word.size() && sameWord(bytes(it->word), bytes(word), int(word.size())))
            throw support::UserError(
                QStringLiteral("Keyword \"%1\" already in list").arg(QString::fromLatin1(word)));
        if (it->length > word.size() && insertAt == chain.end())
            insertAt = it;
    }
    chain.insert(insertAt, THashEntry{word, int(word.size()), kind});
}

void TSqlHighlighter::rebuildKeywords() {
    m_buckets.clear();
    const TCharSet& word = tables().word;
    const QByteArray list(kStandardKeywords);
    int start = 0;
    for (int i = 0; i <= list.size(); ++i) {
        if (i == list.size() || !word[static_cast<unsigned char>(list[i])]) {
            if (i > start)
                AddKeyword(list.mid(start, i - start), skKey);
            start = i + 1;
        }
    }
    for (const QString& name : m_tableNames) {
        const QByteArray upper = name.toUpper().toLatin1();
        if (upper.isEmpty())
            continue;
        const int hash = KeyHash(upper.constData());
        bool present = false;
        if (hash < int(m_buckets.size())) {
            for (const THashEntry& entry : m_buckets[hash])
                present = present || (entry.length == upper.size() &&
                                      sameWord(bytes(entry.word), bytes(upper), entry.length));
        }
        if (!present)
            AddKeyword(upper, skTableName);
    }
    emit changed();
}

void TSqlHighlighter::StartLine(const char* text, int lineIndex) {
    m_line = reinterpret_cast<const unsigned char*>(text ? text : "");
    m_lineIndex = lineIndex;
    m_run = 0;
    NextToken();
}

void TSqlHighlighter::NextToken() {
    m_tokenPos = m_run;
    switch (m_range) {
    case lsComment: commentContinue(); break;
    case lsString: stringContinue(); break;
    default: (this->*scanTable().procs[m_line[m_run]])(); break;
    }
}

int TSqlHighlighter::identKind() {
    const int hash = KeyHash(reinterpret_cast<const char*>(m_line) + m_run, &m_stringLen);
    if (hash < int(m_buckets.size())) {
        for (const THashEntry& entry : m_buckets[hash]) {
            if (entry.length > m_stringLen)
                break;
            if (entry.length == m_stringLen && sameWord(bytes(entry.word), m_line + m_run, m_stringLen))
                return entry.kind;
        }
    }
    return skIdentifier;
}

// Looks for the closing "*/" from the current position; without one the
// comment runs to the end of the line and stays open.
void TSqlHighlighter::searchCommentEnd() {
    while (m_line[m_run] != 0) {
        if (m_line[m_run] == '*' && m_line[m_run + 1] == '/') {
            m_run += 2;
            m_range = lsNormal;
            return;
        }
        ++m_run;
    }
}

void TSqlHighlighter::commentContinue() {
    switch (m_line[m_run]) {
    case 0: nullProc(); return;
    case 10: lfProc(); return;
    case 13: crProc(); return;
    default: break;
    }
    m_tokenKind = skComment;
    searchCommentEnd();
}

void TSqlHighlighter::stringContinue() {
    if (m_line[m_run] == 0) {
        nullProc();
        return;
    }
    m_tokenKind = skString;
    if (m_line[m_run] == '\'') {
        ++m_run;
        m_range = lsNormal;
        return;
    }
    ++m_run;
    while (m_line[m_run] != 0) {
        if (m_line[m_run++] == '\'') {
            m_range = lsNormal;
            return;
        }
    }
}

void TSqlHighlighter::nullProc() { m_tokenKind = skNull; }

void TSqlHighlighter::spaceProc() {
    m_tokenKind = skSpace;
    do {
        ++m_run;
    } while (m_line[m_run] >= 1 && m_line[m_run] <= 32 && m_line[m_run] != 10 &&
             m_line[m_run] != 13);
}

void TSqlHighlighter::lfProc() {
    m_tokenKind = skSpace;
    ++m_run;
}

void TSqlHighlighter::crProc() {
    m_tokenKind = skSpace;
    ++m_run;
    if (m_line[m_run] == 10)
        ++m_run;
}

void TSqlHighlighter::identProc() {
    m_tokenKind = static_cast<TSqlTokenKind>(identKind());
    m_run += m_stringLen;
}

void TSqlHighlighter::numberProc() {
    m_tokenKind = skNumber;
    ++m_run;
    for (;;) {
        const unsigned char c = m_line[m_run];
        if (!(inRange(c, '0', '9') || c == '.' || c == '-'))
            break;
        if (c == '.' && m_line[m_run + 1] == '.')
            break;
        ++m_run;
    }
}

void TSqlHighlighter::asciiCharProc() {
    m_range = lsString;
    m_tokenKind = skString;
    ++m_run;
    while (m_line[m_run] != 0) {
        if (m_line[m_run++] == '\'') {
            m_range = lsNormal;
            return;
        }
    }
}

void TSqlHighlighter::stringProc() {
    m_tokenKind = skString;
    ++m_run;
    for (;;) {
        const unsigned char c = m_line[m_run];
        if (c == 0 || c == 10 || c == 13)
            return;
        if (c == '"') {
            if (m_line[m_run + 1] == '"') {
                m_run += 2;
                continue;
            }
            ++m_run;
            return;
        }
        if (c == '\\' && m_line[m_run + 1] == '"') {
            m_run += 2;
            continue;
        }
        ++m_run;
    }
}

void TSqlHighlighter::minusProc() {
    if (at(1) != '-') {
        symbol(1);
        return;
    }
    m_tokenKind = skComment;
    while (m_line[m_run] != 0)
        ++m_run;
}

void TSqlHighlighter::slashProc() {
    if (at(1) == '*') {
        m_range = lsComment;
        m_tokenKind = skComment;
        m_run += 2;
        searchCommentEnd();
    } else {
        symbol(at(1) == '=' ? 2 : 1);
    }
}

void TSqlHighlighter::variableProc() {
    m_tokenKind = skVariable;
    ++m_run;
    while (tables().ident[m_line[m_run]])
        ++m_run;
}

void TSqlHighlighter::colonProc() { symbol(1); }

void TSqlHighlighter::equalFollowsProc() { symbol(at(1) == '=' ? 2 : 1); }

void TSqlHighlighter::andProc() { symbol(at(1) == '&' || at(1) == '=' ? 2 : 1); }

void TSqlHighlighter::plusProc() { symbol(at(1) == '+' || at(1) == '=' ? 2 : 1); }

void TSqlHighlighter::orProc() { symbol(at(1) == '|' || at(1) == '=' ? 2 : 1); }

void TSqlHighlighter::equalProc() { symbol(at(1) == '=' || at(1) == '>' ? 2 : 1); }

void TSqlHighlighter::greaterProc() { symbol(at(1) == '=' || at(1) == '>' ? 2 : 1); }

void TSqlHighlighter::lowerProc() {
    if (at(1) == '<')
        symbol(at(2) == '=' ? 3 : 2);
    else
        symbol(at(1) == '=' ? 2 : 1);
}

void TSqlHighlighter::symbolProc() { symbol(1); }

void TSqlHighlighter::unknownProc() {
    m_tokenKind = skUnknown;
    ++m_run;
}

} // namespace dbfquery::editor
