#pragma once
// What the window uses of every drawn push button: its caption, its enabled state and its Click;
// and what a screen reader is told of it: its own tooltip and whether it is a checked two-state button.
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

    // The text of the button's own tooltip; empty when it shows none (its container may still
    // show one of its own).
    virtual std::string ToolTipText() const = 0;

    // A two-state button stays down after a press until the next press; Checked is that state,
    // always false for a push button.
    virtual bool IsCheckButton() const = 0;
    virtual bool Checked() const = 0;

    // Raised once per completed activation. The handler runs inside the button's own
    // notification and may open message boxes or process pending events.
    virtual void SetClickHandler(ClickHandler handler) = 0;
};

} // namespace plainquill::contracts
