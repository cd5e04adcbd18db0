#pragma once
// Makes the window's drawn controls from their class name and stored properties. The window
// reaches them only through their faces.
#include "controls/contracts/button_face.h"
#include "controls/contracts/progress_face.h"

#include <QString>
#include <QVariantMap>

class QWidget;

namespace plainquill {

struct DrawnControl {
    QWidget* widget = nullptr; // owned by the parent it was made with
    contracts::ButtonFace* button = nullptr;
    contracts::ProgressFace* progress = nullptr;
};

class DrawnControlFactory {
public:
    virtual ~DrawnControlFactory() = default;
    // `properties` is the control's stored property stream (keys in lower case). Throws
    // std::invalid_argument for a class it does not know.
    virtual DrawnControl create(const QString& className, const QVariantMap& properties,
                                QWidget* parent) = 0;
};

} // namespace plainquill
