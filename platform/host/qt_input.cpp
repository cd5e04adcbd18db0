#include "platform/host/qt_input.h"

#include <array>
#include <utility>

namespace plainquill::host {

namespace {

// Keys whose virtual-key code is not their Qt code (letters, digits and space coincide).
constexpr std::array<std::pair<int, int>, 36> kKeyTable{{
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},        {Qt::Key_Backtab, 9},    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},     {Qt::Key_Shift, 16},     {Qt::Key_Control, 17},   {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},     {Qt::Key_CapsLock, 20},  {Qt::Key_Escape, 27},    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},  {Qt::Key_End, 35},       {Qt::Key_Home, 36},      {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},        {Qt::Key_Right, 39},     {Qt::Key_Down, 40},      {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},    {Qt::Key_F1, 112},       {Qt::Key_F2, 113},
    {Qt::Key_F3, 114},       {Qt::Key_F4, 115},       {Qt::Key_F5, 116},       {Qt::Key_F6, 117},
    {Qt::Key_F7, 118},       {Qt::Key_F8, 119},       {Qt::Key_F9, 120},       {Qt::Key_F10, 121},
    {Qt::Key_F11, 122},      {Qt::Key_F12, 123},      {Qt::Key_NumLock, 144},  {Qt::Key_ScrollLock, 145},
}};

} // namespace

int virtualKeyFor(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        || qtKey == Qt::Key_Space)
        return qtKey;
    for (const auto& [qt, vk] : kKeyTable)
        if (qt == qtKey)
            return vk;
    return 0;
}

int buttonMaskFor(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
         | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftMaskFor(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
         | (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace plainquill::host
