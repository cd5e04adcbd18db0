#pragma once
// The gallery sheet: every look of every class side by side, each labelled, on one image.
#include "controls/contracts/control_classes.h"
#include "gallery/gallery_looks.h"
#include "gallery/presentation.h"

#include <QImage>

#include <string>
#include <vector>

namespace plainquill::gallery {

struct Sheet {
    QImage image;
    std::vector<std::string> failures; // looks that could not be drawn, with why
};

// Needs a QGuiApplication (the labels are text). At a scale above 1 the sheet is that many times
// larger, its labels drawn at that resolution too.
Sheet renderSheet(const contracts::ControlClasses& classes, const std::vector<ClassLooks>& catalogue,
                  const Presentation& presentation = {});

} // namespace plainquill::gallery
