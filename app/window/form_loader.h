#pragma once
// Builds a window from its stored layout: each control's kind, caption, place (in twips) and
// initial state, and each drawn control's property stream.
#include "app/window/drawn_controls.h"

#include <QHash>
#include <QRect>
#include <QString>

class QWidget;

namespace plainquill {

struct LoadedForm {
    QHash<QString, QWidget*> widgets;      // every control by name, drawn ones included
    QHash<QString, DrawnControl> drawn;    // the drawn controls by name
    // The window's lines by name, in its pixels, one pixel wide and their end points included. They
    // are no controls: the window draws them on itself, beneath its controls (paintLines).
    QHash<QString, QRect> lines;
};

// Throws std::runtime_error when the layout is malformed or names an unknown kind.
LoadedForm loadForm(QWidget& window, const QByteArray& layoutJson, DrawnControlFactory& factory);

// Draws the form's lines on `window`, from its paint event.
void paintLines(QWidget& window, const LoadedForm& form);

// The window layout compiled into the program.
QByteArray storedForm1Layout();

} // namespace plainquill
