#pragma once
// The pointer shows "busy" over the program while this lives, so that a click that will only be
// taken later is seen to have been noticed.
#include <QCursor>
#include <QGuiApplication>

namespace plainquill {

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace plainquill
