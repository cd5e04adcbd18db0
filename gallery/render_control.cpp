#include "gallery/render_control.h"

#include "platform/host/headless_host.h"

namespace plainquill::gallery {

std::variant<contracts::Bitmap, RenderFailure> renderControl(const contracts::ControlClasses& classes,
                                                             const std::string& className, contracts::Size size,
                                                             const contracts::PropertyBag& stored,
                                                             ControlState state)
{
    std::unique_ptr<contracts::Control> control = classes.make(className);
    if (!control)
        return RenderFailure{"unknown control class \"" + className + "\""};
    // The instance name a window would give the first of its class ("XP_ProgressBar1").
    const std::string name = className.substr(className.find('.') + 1) + "1";
    host::HeadlessHost host(std::move(control), {.name = name, .size = size});
    host.load(stored);
    bringInto(host, state);
    if (!host.errors().empty())
        return RenderFailure{className + " could not take its properties: " + host.errors().front()};
    return host.pixels().copy();
}

} // namespace plainquill::gallery
