#pragma once
// What a screen reader learns of a drawn control, read from its faces: a button's caption (without
// its access-key mark) as its name, its tooltip as its description, push or check button, its
// enabled, focused and checked states and a Press action that clicks it as Space does; the
// progress bar's value, minimum and maximum.
#include <QAccessibleWidget>

namespace plainquill::host {

class HostWidget;

class AccessibleControl final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleControl(HostWidget& widget);

    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType kind) override;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

    // The progress bar's; the value is not set from outside.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    HostWidget& host() const;
};

// Makes Qt ask AccessibleControl about every hosted drawn control. Once, before any window shows.
void installAccessibleControls();

} // namespace plainquill::host
