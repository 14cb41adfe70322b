#pragma once

#include "core/texts/TextId.h"

#include <QString>

#include <array>

namespace quorvan {

enum class Language : int { None = 0, English = 1, Chinese = 2 };

// The numbered user-interface texts of the current language: the controller's 226 texts (0..225) and the
// program's own from TextId::First on. Every caption, heading and message that follows the language is looked
// up here by its number.
class TextTable {
public:
    static constexpr int kCount = 226; // the controller's texts
    static constexpr int kAddedCount = TextId::End - TextId::First;

    TextTable() = default;

    // Language value as stored in Config.ini: 1 English, 2 Chinese, 0 before the first load.
    int language() const { return m_language; }

    // Entry n (0..225, or an added text). Callers pass constants; any other number yields an empty text.
    QString text(int n) const;

    void loadEnglish();
    void loadChinese();

private:
    void load(int language, const char16_t* const* texts, const char16_t* placeholderStem, bool english);

    int m_language = 0;
    std::array<QString, kCount> m_texts;
    std::array<QString, kAddedCount> m_added;
};

} // namespace quorvan
