#include "controls/common/ole_color.h"

#include "controls/common/basic_error.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace vsq::controls {

namespace {

constexpr std::uint32_t kSystemFlag = 0x80000000;

// The palette role standing in for each system colour index.
constexpr std::array<QPalette::ColorRole, 25> kSystemRoles{
    QPalette::Button,          // 0 scroll bars
    QPalette::Window,          // 1 desktop
    QPalette::Highlight,       // 2 active title bar
    QPalette::Mid,             // 3 inactive title bar
    QPalette::Window,          // 4 menu bar
    QPalette::Base,            // 5 window background
    QPalette::Shadow,          // 6 window frame
    QPalette::WindowText,      // 7 menu text
    QPalette::Text,            // 8 window text
    QPalette::HighlightedText, // 9 title bar text
    QPalette::Button,          // 10 active border
    QPalette::Button,          // 11 inactive border
    QPalette::Dark,            // 12 application workspace
    QPalette::Highlight,       // 13 highlight
    QPalette::HighlightedText, // 14 highlighted text
    QPalette::Button,          // 15 button face
    QPalette::Dark,            // 16 button shadow
    QPalette::Mid,             // 17 grey text
    QPalette::ButtonText,      // 18 button text
    QPalette::Text,            // 19 inactive title bar text
    QPalette::Light,           // 20 button highlight
    QPalette::Shadow,          // 21 3-D dark shadow
    QPalette::Midlight,        // 22 3-D light
    QPalette::ToolTipText,     // 23 tool-tip text
    QPalette::ToolTipBase,     // 24 tool-tip background
};

} // namespace

bool isValidOleColor(std::uint32_t color) {
    if ((color & 0xFF000000) == 0) {
        return true;
    }
    return (color & 0xFF000000) == kSystemFlag && (color & 0x00FFFFFF) < kSystemRoles.size();
}

QColor colorFromOle(std::uint32_t color) {
    if (!isValidOleColor(color)) {
        throw BasicError(ErrorNumber::InvalidPropertyValue);
    }
    if ((color & kSystemFlag) != 0) {
        return QGuiApplication::palette().color(kSystemRoles[color & 0x00FFFFFF]);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace vsq::controls
