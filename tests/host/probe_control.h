#pragma once
// A control that writes down every notification it receives, with its arguments, and lets a
// test run code inside any of them: the stand-in for a real control when the host itself is
// under test.
#include "controls/contracts/control.h"

#include <array>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace plainquill::host::testing {

class ProbeControl : public contracts::Control {
public:
    std::vector<std::string> log;
    // Runs inside the named notification ("MouseDown", "Paint", ...), after it is logged.
    std::map<std::string, std::function<void()>> during;
    bool canGetFocus = true;

    using contracts::Control::container;

    void Initialize() override { note("Initialize"); }
    void InitProperties() override { note("InitProperties"); }
    void ReadProperties(const contracts::PropertyBag&) override { note("ReadProperties"); }
    void WriteProperties(contracts::PropertyBag&) override { note("WriteProperties"); }
    void Resize() override { note("Resize"); }
    void Show() override { note("Show"); }
    void Paint() override { note("Paint"); }
    void Hide() override { note("Hide"); }
    void Terminate() override { note("Terminate"); }
    void MouseDown(int b, int s, float x, float y) override { note("MouseDown", args(b, s, x, y)); }
    void MouseMove(int b, int s, float x, float y) override { note("MouseMove", args(b, s, x, y)); }
    void MouseUp(int b, int s, float x, float y) override { note("MouseUp", args(b, s, x, y)); }
    void Click() override { note("Click"); }
    void DblClick() override { note("DblClick"); }
    void KeyDown(int k, int s) override { note("KeyDown", args(k, s)); }
    void KeyUp(int k, int s) override { note("KeyUp", args(k, s)); }
    void KeyPress(int c) override { note("KeyPress", args(c)); }
    void GotFocus() override { note("GotFocus"); }
    void LostFocus() override { note("LostFocus"); }
    void EnterFocus() override { note("EnterFocus"); }
    void ExitFocus() override { note("ExitFocus"); }
    void AccessKeyPress(int c) override { note("AccessKeyPress", args(c)); }
    void AmbientChanged(std::string_view name) override { note("AmbientChanged", " " + std::string(name)); }
    bool CanGetFocus() const override { return canGetFocus; }
    std::span<const std::string_view> EventNames() const override { return kEvents; }

    void clear() { log.clear(); }

    static constexpr std::array<std::string_view, 2> kEvents{"Click", "MouseDown"};

private:
    template <class... T>
    static std::string args(T... values)
    {
        std::ostringstream out;
        ((out << ' ' << values), ...);
        return out.str();
    }
    void note(const std::string& name, const std::string& arguments = "")
    {
        log.push_back(name + arguments);
        if (const auto it = during.find(name); it != during.end())
            it->second();
    }
};

} // namespace plainquill::host::testing
