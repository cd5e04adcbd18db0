#pragma once
// The visual-styles theme stood in for by the application's QStyle: a push button drawn by the
// style in the states normal, hot, pressed, disabled and defaulted, and its outline as a region.
// Needs a QApplication (QStyle is a widgets facility); without one there is no theme, which the
// themed button handles by falling back to its non-theme look.
#include "controls/contracts/theme.h"

namespace plainquill::raster {

class QStyleTheme final : public contracts::Theme {
public:
    // Only the "Button" class (matched without regard to case, in a ';'-separated list) exists.
    std::unique_ptr<contracts::ThemeData> open(std::string_view classList) override;
};

} // namespace plainquill::raster
