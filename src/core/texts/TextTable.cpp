#include "core/texts/TextTable.h"

#include "core/texts/TextTableData.h"

namespace quorvan {

static_assert(TextTable::kCount == textdata::kTextCount);
static_assert(TextTable::kAddedCount == textdata::kAddedCount);

QString TextTable::text(int n) const {
    if (n >= 0 && n < kCount)
        return m_texts[static_cast<std::size_t>(n)];
    if (n >= TextId::First && n < TextId::End)
        return m_added[static_cast<std::size_t>(n - TextId::First)];
    return {};
}

void TextTable::load(int language, const char16_t* const* texts, const char16_t* placeholderStem, bool english) {
    m_language = language;
    const QString stem = QString::fromUtf16(placeholderStem);
    for (int i = 0; i < kCount; ++i) {
        // Entries without a text in this language keep "<stem><number>" so that a missing text is visible.
        const char16_t* text = texts[i];
        m_texts[static_cast<std::size_t>(i)] = text ? QString::fromUtf16(text) : stem + QString::number(i);
    }
    for (int i = 0; i < kAddedCount; ++i) {
        const textdata::AddedText& added = textdata::kAdded[i];
        m_added[static_cast<std::size_t>(i)] = QString::fromUtf16(english ? added.english : added.chinese);
    }
}

void TextTable::loadEnglish() {
    load(static_cast<int>(Language::English), textdata::kEnglish, u"Language", true);
}

void TextTable::loadChinese() {
    load(static_cast<int>(Language::Chinese), textdata::kChinese, u"语言", false);
}

} // namespace quorvan
