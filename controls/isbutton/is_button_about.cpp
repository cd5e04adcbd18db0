// isButton's About box: a hidden picture panel the control carries, shown as a top-most window of
// its own with the control's name and version and a "Close" box that hides it again.
#include "controls/isbutton/is_button.h"

#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/skin_canvas.h"

namespace plainquill::isbutton {

using namespace contracts;

namespace {

constexpr Size kAboutSize{372, 116};
constexpr Rect kCloseBox{290, 80, 360, 106};
constexpr std::uint32_t kFramedStyle = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX; // 0xC60000

} // namespace

void isButton::MakeAboutPanel()
{
    m_about = container().CreatePanel(kAboutSize);
    if (!m_about)
        return;
    m_aboutStyle = m_about->WindowStyle();
    m_about->SetHandlers({[this] { DrawAbout(false); }, [this] { DrawAbout(true); },
                          [this] { m_about->SetVisible(false); }});
}

void isButton::About()
{
    if (!m_about)
        return;
    m_about->SetVisible(true);
    m_about->SetWindowStyle(m_aboutStyle + kFramedStyle);
    m_about->SetTopMost();
    m_about->ApplyFrameChange();
    m_about->SetTitle("About isButton " + version());
    m_about->ApplyFrameChange();
    m_about->DetachFromControl();
}

// The Close box is drawn light at the top; while pressed, light at the bottom.
void isButton::DrawAbout(bool pressed)
{
    Dc& dc = m_about->hDC();
    const Colour face = Sys(COLOR_BTNFACE);
    const Size size = m_about->ClientSize();
    dc.fillRect({0, 0, size.width, size.height}, Brush::solid(face));
    const Colour oldColour = dc.setTextColor(Sys(COLOR_BTNTEXT));
    const BkMode oldMode = dc.setBkMode(TRANSPARENT);
    const FontDescription oldFont = dc.selectFont({"Tahoma", 14, true});
    Rect line{12, 10, size.width - 12, 40};
    dc.drawText("isButton", line, DT_LEFT | DT_SINGLELINE);
    dc.selectFont({"Tahoma", 8.25});
    const std::string lines[] = {"Version " + version(), "The Plainquill developers", "resources/help/index.html"};
    int top = 38;
    for (const std::string& text : lines) {
        Rect r{12, top, size.width - 12, top + 16};
        dc.drawText(text, r, DT_LEFT | DT_SINGLELINE);
        top += 16;
    }

    SkinCanvas canvas(dc);
    const Rect& box = kCloseBox;
    const Colour light = offset(face, 15), dark = offset(face, -15);
    const int n = box.height() - 3;
    canvas.gradient(pressed ? dark : light, pressed ? light : dark, box.left + 1, box.top + 1, box.right - 1, n);
    const Colour frame = Sys(COLOR_BTNSHADOW);
    canvas.line(box.left + 1, box.top, box.right - 1, box.top, frame);
    canvas.line(box.left + 1, box.bottom - 1, box.right - 1, box.bottom - 1, frame);
    canvas.line(box.left, box.top + 1, box.left, box.bottom - 1, frame);
    canvas.line(box.right - 1, box.top + 1, box.right - 1, box.bottom - 1, frame);
    Rect label = box;
    dc.drawText("Close", label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    dc.selectFont(oldFont);
    dc.setBkMode(oldMode);
    dc.setTextColor(oldColour);
    m_about->Refresh();
}

} // namespace plainquill::isbutton
