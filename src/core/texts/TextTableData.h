#pragma once

#include "core/texts/TextId.h"

namespace quorvan::textdata {

inline constexpr int kTextCount = 226;

extern const char16_t* const kEnglish[kTextCount];
extern const char16_t* const kChinese[kTextCount];

// The texts numbered from TextId::First on, in number order.
struct AddedText {
    const char16_t* english;
    const char16_t* chinese;
};
inline constexpr int kAddedCount = TextId::End - TextId::First;
extern const AddedText kAdded[kAddedCount];

} // namespace quorvan::textdata
