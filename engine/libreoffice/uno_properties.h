#pragma once
// Media descriptors and property lists: UNO's name/value sequences, built and read from C++.
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace plainquill::engine::libreoffice {

using PropertyList = css::uno::Sequence<css::beans::PropertyValue>;

PropertyList properties(std::initializer_list<std::pair<std::string_view, css::uno::Any>> entries);

// The named entry as text; empty when it is missing or not a string.
std::string stringProperty(const PropertyList& list, std::string_view name);

} // namespace plainquill::engine::libreoffice
