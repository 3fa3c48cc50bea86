#pragma once

#include "editor/THighlighterAttributes.h"

#include <QByteArray>
#include <QObject>
#include <bitset>
#include <memory>
#include <vector>

namespace dbfquery::editor {

using TCharSet = std::bitset<256>;

// The scanner interface an editor drives, one line at a time. Lines are
// single-byte text (Windows-1251) ending with a zero byte; the scanner reads
// them in place, so a line must stay alive and unchanged until the next
// StartLine. Calling order for one line: SetLineState (ResetLineState for
// the first line), StartLine, then read the token and call NextToken until
// AtLineEnd; LineState then gives the state at the start of the next line.
// GUI thread only.
class TCustomHighlighter : public QObject {
    Q_OBJECT

public:
    explicit TCustomHighlighter(QObject* parent = nullptr);
    ~TCustomHighlighter() override;

    // General roles: 0 comment, 1 identifier, 2 keyword, 3 string,
    // 4 white space, 5 symbol; nullptr for any other index.
    virtual THighlighterAttributes* DefaultAttribute(int index) const = 0;
    // Characters that make up words for the editor's word commands.
    virtual const TCharSet& WordChars() const = 0;
    virtual bool AtLineEnd() const = 0;
    virtual int LineState() const = 0;
    // A copy of the current token's bytes; the only call that copies.
    virtual QByteArray TokenText() const = 0;
    // nullptr for the end-of-line token.
    virtual THighlighterAttributes* TokenAttribute() const = 0;
    virtual int TokenKind() const = 0;
    // Zero-based byte column of the current token.
    virtual int TokenStart() const = 0;
    virtual bool IsKeyword(const QByteArray& word) const = 0;
    virtual void NextToken() = 0;
    // Takes the line and scans its first token; leaves the line state alone.
    virtual void StartLine(const char* text, int lineIndex) = 0;
    virtual void SetLineState(int state) = 0;
    virtual void ResetLineState() = 0;

    void ScanToLineEnd();

    // Every attribute, in the order they were added.
    const std::vector<THighlighterAttributes*>& Attributes() const { return m_attributes; }

signals:
    // An attribute or the keyword table changed: attached editors recompute
    // their character cell and repaint.
    void changed();

protected:
    // The highlighter owns the attribute; returns it for the caller's field.
    THighlighterAttributes* addAttribute(const QString& name, unsigned defaultStyle);

private:
    std::vector<std::unique_ptr<THighlighterAttributes>> m_owned;
    std::vector<THighlighterAttributes*> m_attributes;
};

} // namespace dbfquery::editor
