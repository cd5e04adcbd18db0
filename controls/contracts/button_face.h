#pragma once
// What the window uses of every drawn push button: its caption, its enabled state and its Click.
#include <functional>
#include <string>

namespace plainquill::contracts {

class ButtonFace {
public:
    using ClickHandler = std::function<void()>;

    virtual ~ButtonFace() = default;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;

    // A disabled button takes no input, raises no Click and shows its disabled look.
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    // Raised once per completed activation. The handler runs inside the button's own
    // notification and may open message boxes or process pending events.
    virtual void SetClickHandler(ClickHandler handler) = 0;
};

} // namespace plainquill::contracts
