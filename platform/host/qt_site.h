#pragma once
// The container of a control shown in a HostWidget: the platform's part of ControlSite done
// with Qt (timers, cursor, capture, focus moves, the parent widget, links).
#include "platform/host/access_key_shortcuts.h"
#include "platform/host/control_site.h"
#include "platform/host/wave_player.h"

namespace plainquill::host {

class HostWidget;

class QtSite final : public ControlSite {
public:
    QtSite(HostWidget& widget, raster::RasterGraphics& graphics, contracts::Theme& theme,
           std::unique_ptr<contracts::Control> control, SiteOptions options);

    contracts::WindowHandle hWnd() const override;
    std::unique_ptr<contracts::ChildTimer> CreateTimer(std::function<void()> onTick) override;
    void DoEvents() override;
    void SendKeys(std::string_view keys) override;
    void NavigateTo(std::string_view address) override;
    void ShellOpen(std::string_view document) override;
    void PlayWave(std::string_view path) override;
    contracts::Point GetCursorPos() const override;
    contracts::WindowHandle WindowFromPoint(contracts::Point screen) const override;
    contracts::Point ClientToScreen(contracts::Point client) const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    contracts::WindowHandle ParentWindow() const override;
    std::unique_ptr<contracts::Dc> ParentWindowDc() override;
    contracts::PictureRef ParentPicture() const override;
    std::unique_ptr<contracts::ToolTipWindow> CreateToolTipWindow(std::uint32_t style) override;
    std::unique_ptr<contracts::PanelWindow> CreatePanel(contracts::Size size) override;

private:
    void surfaceChanged() override;
    void applyEnabled(bool enabled) override;
    void applyRegion(const std::optional<contracts::Region>& region) override;
    void applyPointer(int shape, const contracts::PictureRef& icon) override;
    void applyAccessKeys(const std::string& keys) override;
    void applyToolTip(const std::string& text) override;
    void requestSize(contracts::Size pixels) override;
    contracts::Point positionInParent() const override;
    void takeFocus() override;
    bool capturing() const override { return m_captured; }

    HostWidget& m_widget;
    raster::RasterGraphics& m_graphics;
    AccessKeyShortcuts m_accessKeys;
    WavePlayer m_sounds;
    bool m_captured = false;
    bool m_grabbed = false;
};

} // namespace plainquill::host
