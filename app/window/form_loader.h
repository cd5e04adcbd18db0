#pragma once
// Builds a window from its stored layout: each control's kind, caption, place (in twips) and
// initial state, and each drawn control's property stream.
#include "app/window/drawn_controls.h"

#include <QHash>
#include <QString>

class QWidget;

namespace plainquill {

struct LoadedForm {
    QHash<QString, QWidget*> widgets;      // every control by name, drawn ones included
    QHash<QString, DrawnControl> drawn;    // the drawn controls by name
};

// Throws std::runtime_error when the layout is malformed or names an unknown kind.
LoadedForm loadForm(QWidget& window, const QByteArray& layoutJson, DrawnControlFactory& factory);

// The window layout compiled into the program.
QByteArray storedForm1Layout();

} // namespace plainquill
