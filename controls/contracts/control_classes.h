#pragma once
// The drawn control classes a host can make, by their registered class names
// ("Ostrand.XP_ProgressBar", ...). Open: each control adds itself (see standard_controls.h).
#include "controls/contracts/control.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plainquill::contracts {

class ControlClasses {
public:
    using Maker = std::function<std::unique_ptr<contracts::Control>()>;

    // A second registration of a name replaces the first.
    void add(std::string className, Maker make);
    bool contains(const std::string& className) const;
    // Null when the class is not registered.
    std::unique_ptr<contracts::Control> make(const std::string& className) const;
    std::vector<std::string> names() const;

private:
    struct Entry {
        std::string className;
        Maker make;
    };
    const Entry* find(const std::string& className) const;

    std::vector<Entry> m_entries;
};

} // namespace plainquill::contracts
