#include "core/texts/TextTable.h"

#include "core/texts/TextTableData.h"

namespace quorvan {

static_assert(TextTable::kCount == textdata::kTextCount);

QString TextTable::text(int n) const {
    if (n < 0 || n >= kCount)
        return {};
    return m_texts[static_cast<std::size_t>(n)];
}

void TextTable::load(int language, const char16_t* const* texts, const char16_t* placeholderStem) {
    m_language = language;
    const QString stem = QString::fromUtf16(placeholderStem);
    for (int i = 0; i < kCount; ++i) {
        // Entries without a text in this language keep "<stem><number>" so that a missing text is visible.
        const char16_t* text = texts[i];
        m_texts[static_cast<std::size_t>(i)] = text ? QString::fromUtf16(text) : stem + QString::number(i);
    }
}

void TextTable::loadEnglish() {
    load(static_cast<int>(Language::English), textdata::kEnglish, u"Language");
}

void TextTable::loadChinese() {
    load(static_cast<int>(Language::Chinese), textdata::kChinese, u"语言");
}

} // namespace quorvan
