#pragma once

namespace quorvan::textdata {

inline constexpr int kTextCount = 226;

extern const char16_t* const kEnglish[kTextCount];
extern const char16_t* const kChinese[kTextCount];

} // namespace quorvan::textdata
