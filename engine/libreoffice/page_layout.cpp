#include "engine/libreoffice/page_layout.h"

#include "engine/libreoffice/uno_properties.h"
#include "engine/libreoffice/uno_strings.h"

namespace plainquill::engine::libreoffice {

void layOutPages(const UnoConnection& uno, const css::uno::Reference<css::lang::XComponent>& model)
{
    // "private:object" with a model puts that model, already loaded, into a new frame.
    uno.desktop->loadComponentFromURL(toUno("private:object"), toUno("_blank"), 0,
                                      properties({
                                          {"Model", css::uno::Any(model)},
                                          {"Hidden", css::uno::Any(true)},
                                      }));
}

} // namespace plainquill::engine::libreoffice
