#pragma once
// Colours as the controls' properties hold them: 32-bit values 0x00BBGGRR (red
// in the low byte), or 0x800000nn for system colour nn, which resolves through
// the application palette (5 window background, 8 window text, 15 button face,
// ...). Other values fail with Invalid property value (380).

#include <QColor>

#include <cstdint>

namespace vsq::controls {

constexpr std::uint32_t kSystemWindowBackground = 0x80000005;
constexpr std::uint32_t kSystemWindowText = 0x80000008;

bool isValidOleColor(std::uint32_t color);
QColor colorFromOle(std::uint32_t color);
constexpr std::uint32_t oleFromRgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

} // namespace vsq::controls
