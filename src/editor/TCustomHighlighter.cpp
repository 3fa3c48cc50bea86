#include "editor/TCustomHighlighter.h"

namespace dbfquery::editor {

TCustomHighlighter::TCustomHighlighter(QObject* parent) : QObject(parent) {}

TCustomHighlighter::~TCustomHighlighter() = default;

void TCustomHighlighter::ScanToLineEnd() {
    while (!AtLineEnd())
        NextToken();
}

THighlighterAttributes* TCustomHighlighter::addAttribute(const QString& name,
                                                         unsigned defaultStyle) {
    auto attribute = std::make_unique<THighlighterAttributes>(name, defaultStyle);
    attribute->setChangeHandler([this] { emit changed(); });
    m_attributes.push_back(attribute.get());
    m_owned.push_back(std::move(attribute));
    return m_attributes.back();
}

} // namespace dbfquery::editor
