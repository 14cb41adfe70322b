#pragma once

#include <QString>

#include <array>

namespace quorvan {

enum class Language : int { None = 0, English = 1, Chinese = 2 };

// The numbered user-interface texts of the current language. Every caption, heading and message that
// follows the language is looked up here by its number.
class TextTable {
public:
    static constexpr int kCount = 226;

    TextTable() = default;

    // Language value as stored in Config.ini: 1 English, 2 Chinese, 0 before the first load.
    int language() const { return m_language; }

    // Entry n (0..225). Callers pass constants; an out-of-range number yields an empty text.
    QString text(int n) const;

    void loadEnglish();
    void loadChinese();

private:
    void load(int language, const char16_t* const* texts, const char16_t* placeholderStem);

    int m_language = 0;
    std::array<QString, kCount> m_texts;
};

} // namespace quorvan
