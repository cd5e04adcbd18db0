#include "gallery/render_control.h"

#include "platform/host/headless_host.h"

#include <algorithm>
#include <optional>

namespace plainquill::gallery {

namespace {

// A stored key the control never asked for would be silently ignored: say which keys it reads.
std::optional<RenderFailure> unreadKey(const std::string& className, const contracts::PropertyBag& stored)
{
    const std::vector<std::string>& read = stored.NamesRead();
    for (const std::string& key : stored.Names()) {
        const bool known = std::any_of(read.begin(), read.end(),
                                       [&](const std::string& name) { return contracts::sameName(name, key); });
        if (known)
            continue;
        std::string message = className + " does not read \"" + key + "\"; the keys it reads:";
        for (const std::string& name : read)
            message += " " + name;
        return RenderFailure{message};
    }
    return std::nullopt;
}

} // namespace

std::variant<contracts::Bitmap, RenderFailure> renderControl(const contracts::ControlClasses& classes,
                                                             const std::string& className, contracts::Size size,
                                                             const contracts::PropertyBag& stored,
                                                             ControlState state, const Presentation& presentation)
{
    std::unique_ptr<contracts::Control> control = classes.make(className);
    if (!control)
        return RenderFailure{"unknown control class \"" + className + "\""};
    // The instance name a window would give the first of its class ("XP_ProgressBar1").
    const std::string name = className.substr(className.find('.') + 1) + "1";
    host::HeadlessHost host(std::move(control), {.name = name, .size = size, .scale = presentation.scale});
    host.load(stored);
    if (auto failure = unreadKey(className, stored))
        return *failure;
    bringInto(host, state);
    if (!host.errors().empty())
        return RenderFailure{className + " could not take its properties: " + host.errors().front()};
    return composeThroughShape(host.devicePixels(), presentation.scale, host.windowRegion(),
                               presentation.backdrop.value_or(windowBackground()));
}

} // namespace plainquill::gallery
