#pragma once
// A picture panel whose pixels live in a bitmap: the headless hosts use it as it is; the Qt host
// shows it in a widget (panel_widget.h). Input reaches it through press() and release().
#include "controls/contracts/graphics.h"
#include "controls/contracts/panel_window.h"

#include <memory>

namespace plainquill::host {

class RasterPanel : public contracts::PanelWindow {
public:
    // The style a hidden, borderless child panel starts with: WS_CHILD | WS_CLIPSIBLINGS.
    static constexpr std::uint32_t kChildStyle = 0x44000000;

    RasterPanel(contracts::Graphics& graphics, contracts::Size size);
    ~RasterPanel() override;

    void SetHandlers(Handlers handlers) override { m_handlers = std::move(handlers); }
    contracts::Dc& hDC() override { return *m_dc; }
    void Refresh() override { shown(); }
    contracts::Size ClientSize() const override { return m_pixels.size(); }
    bool Visible() const override { return m_visible; }
    void SetVisible(bool visible) override;
    std::uint32_t WindowStyle() const override { return m_style; }
    void SetWindowStyle(std::uint32_t style) override { m_style = style; }
    void ApplyFrameChange() override {} // no frame is drawn here: the style changes nothing to redo
    void SetTopMost() override { m_topMost = true; }
    std::string Title() const override { return m_title; }
    void SetTitle(const std::string& title) override;
    void DetachFromControl() override;

    // ---- what the host (or a test) does and reads ----------------------------------------------
    void press();   // a button goes down over the panel
    void release(); // and comes up over it: a click
    const contracts::Bitmap& pixels() const { return m_pixels; }
    bool topMost() const { return m_topMost; }
    bool detached() const { return m_detached; }

protected:
    // The pixels or the window's state changed; a shown panel updates itself.
    virtual void shown() {}
    virtual void windowChanged() {}

private:
    contracts::Bitmap m_pixels;
    std::unique_ptr<contracts::Dc> m_dc;
    contracts::Bitmap m_previous;
    Handlers m_handlers;
    bool m_visible = false;
    bool m_topMost = false;
    bool m_detached = false;
    std::uint32_t m_style = kChildStyle;
    std::string m_title;
};

} // namespace plainquill::host
