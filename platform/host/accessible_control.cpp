#include "platform/host/accessible_control.h"

#include "controls/contracts/access_key.h"
#include "controls/contracts/key_codes.h"
#include "platform/host/host_widget.h"

#include <QPointer>

namespace plainquill::host {

namespace {

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    auto* widget = dynamic_cast<HostWidget*>(object);
    return widget ? new AccessibleControl(*widget) : nullptr;
}

// Space down and up on the button, as a user presses it from the keyboard; the button has the
// focus first, as it would then. Queued, so that a message box the click opens does not hold up
// the screen reader's call.
void pressLikeSpace(HostWidget& widget)
{
    QMetaObject::invokeMethod(
        &widget,
        [target = QPointer<HostWidget>(&widget)] {
            // A disabled control hears no keys from its site, so a greyed button stays unpressed.
            if (!target)
                return;
            target->setFocus(Qt::OtherFocusReason);
            target->site().keyPressed(contracts::keys::kSpace, 0, contracts::keys::kSpace);
            if (target)
                target->site().keyReleased(contracts::keys::kSpace, 0);
        },
        Qt::QueuedConnection);
}

} // namespace

AccessibleControl::AccessibleControl(HostWidget& widget) : QAccessibleWidget(&widget) {}

HostWidget& AccessibleControl::host() const { return *static_cast<HostWidget*>(widget()); }

QString AccessibleControl::text(QAccessible::Text kind) const
{
    const contracts::ButtonFace* button = host().buttonFace();
    switch (kind) {
    case QAccessible::Name:
        if (!host().accessibleName().isEmpty() || !button)
            return host().accessibleName();
        return QString::fromStdString(contracts::captionWithoutMark(button->Caption()));
    case QAccessible::Description:
        if (!host().accessibleDescription().isEmpty() || !host().toolTip().isEmpty() || !button)
            return QAccessibleWidget::text(kind);
        return QString::fromStdString(button->ToolTipText());
    case QAccessible::Value:
        return host().progressFace() ? QString::number(host().progressFace()->Value()) : QString();
    default:
        return QAccessibleWidget::text(kind);
    }
}

QAccessible::Role AccessibleControl::role() const
{
    if (host().progressFace())
        return QAccessible::ProgressBar;
    if (const contracts::ButtonFace* button = host().buttonFace())
        return button->IsCheckButton() ? QAccessible::CheckBox : QAccessible::Button;
    return QAccessibleWidget::role();
}

QAccessible::State AccessibleControl::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (const contracts::ButtonFace* button = host().buttonFace()) {
        // The face is the truth: its window may follow it only when the container hears of it.
        state.disabled = state.disabled || !button->Enabled();
        state.focusable = state.focusable && !state.disabled;
        state.checkable = button->IsCheckButton();
        state.checked = button->Checked();
        state.pressed = button->Checked();
    }
    return state;
}

void* AccessibleControl::interface_cast(QAccessible::InterfaceType kind)
{
    if (kind == QAccessible::ValueInterface && host().progressFace())
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(kind);
}

QStringList AccessibleControl::actionNames() const
{
    if (!host().buttonFace())
        return QAccessibleWidget::actionNames();
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleControl::doAction(const QString& action)
{
    if (action == pressAction() && host().buttonFace())
        pressLikeSpace(host());
    else
        QAccessibleWidget::doAction(action);
}

QStringList AccessibleControl::keyBindingsForAction(const QString& action) const
{
    if (action == pressAction() && host().buttonFace())
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(action);
}

QVariant AccessibleControl::currentValue() const
{
    return host().progressFace() ? QVariant(host().progressFace()->Value()) : QVariant();
}

QVariant AccessibleControl::maximumValue() const
{
    return host().progressFace() ? QVariant(host().progressFace()->Max()) : QVariant();
}

QVariant AccessibleControl::minimumValue() const { return host().progressFace() ? QVariant(0) : QVariant(); }

QVariant AccessibleControl::minimumStepSize() const { return host().progressFace() ? QVariant(1) : QVariant(); }

void installAccessibleControls() { QAccessible::installFactory(accessibleFor); }

} // namespace plainquill::host
