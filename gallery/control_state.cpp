#include "gallery/control_state.h"

#include "controls/contracts/button_face.h"

#include <array>
#include <utility>

namespace plainquill::gallery {

using contracts::MOUSE_LEFT;
using contracts::Point;

namespace {

constexpr std::array<std::pair<std::string_view, ControlState>, 7> kStates{{
    {"normal", ControlState::Normal},
    {"hot", ControlState::Hot},
    {"pressed", ControlState::Pressed},
    {"disabled", ControlState::Disabled},
    {"focused", ControlState::Focused},
    {"default", ControlState::Default},
    {"checked", ControlState::Checked},
}};

} // namespace

std::optional<ControlState> parseState(std::string_view name)
{
    for (const auto& [text, state] : kStates)
        if (text == name)
            return state;
    return std::nullopt;
}

std::string_view stateName(ControlState state)
{
    for (const auto& [text, s] : kStates)
        if (s == state)
            return text;
    return "normal";
}

void bringInto(host::HeadlessHost& host, ControlState state)
{
    const Point middle{host.clientSize().width / 2, host.clientSize().height / 2};
    switch (state) {
    case ControlState::Normal:
        break;
    case ControlState::Hot:
        host.moveMouse(middle);
        break;
    case ControlState::Pressed:
        host.moveMouse(middle);
        host.press(MOUSE_LEFT, middle);
        break;
    case ControlState::Disabled:
        if (auto* button = dynamic_cast<contracts::ButtonFace*>(&host.control()))
            button->SetEnabled(false);
        else
            host.SetEnabled(false);
        break;
    case ControlState::Focused:
        host.giveFocus();
        break;
    case ControlState::Default:
        host.setDisplayAsDefault(true);
        break;
    case ControlState::Checked:
        host.moveMouse(middle);
        host.click(middle);
        break;
    }
    host.idle();
}

} // namespace plainquill::gallery
