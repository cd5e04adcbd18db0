#pragma once
// The looks a control is shown in, and how a host brings a loaded control into each: through
// the same notifications the user's input would cause.
#include "platform/host/headless_host.h"

#include <optional>
#include <string>
#include <string_view>

namespace plainquill::gallery {

enum class ControlState { Normal, Hot, Pressed, Disabled, Focused, Default, Checked };

// "normal", "hot", "pressed", "disabled", "focused", "default", "checked"; nullopt otherwise.
std::optional<ControlState> parseState(std::string_view name);
std::string_view stateName(ControlState state);

// hot: the pointer moved in; pressed: the left button held down over the middle; disabled:
// Enabled false (the button's own property where it has one, else the window's); focused: the
// focus given; default: the container's DisplayAsDefault; checked: a click.
void bringInto(host::HeadlessHost& host, ControlState state);

} // namespace plainquill::gallery
