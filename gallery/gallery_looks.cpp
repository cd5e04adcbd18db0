#include "gallery/gallery_looks.h"

namespace plainquill::gallery {

std::vector<ClassLooks> galleryLooks()
{
    return {progressBarLooks(), xpButtonLooks()};
}

} // namespace plainquill::gallery
