#include "gallery/gallery_looks.h"

namespace plainquill::gallery {

std::vector<ClassLooks> galleryLooks()
{
    return {progressBarLooks(), isButtonLooks(), chameleonButtonLooks(), xpButtonLooks()};
}

} // namespace plainquill::gallery
