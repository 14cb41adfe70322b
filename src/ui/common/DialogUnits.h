#pragma once

namespace quorvan {

// The windows were laid out in dialog units of a 9-point dialog font; these give the equivalent pixels.
constexpr int dluX(int units) {
    return units * 3 / 2;
}
constexpr int dluY(int units) {
    return units * 13 / 8;
}

} // namespace quorvan
