// What a screen reader is told of the real drawn controls, read from their faces.
#include "app/window/hosted_control_factory.h"
#include "controls/registry/standard_controls.h"
#include "platform/host/accessible_control.h"
#include "tests/support/qt_app.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace plainquill {
namespace {

struct Made {
    DrawnControl drawn;
    QAccessibleInterface* accessible;
};

class AccessibleControlTest : public testing::WithQtApp, public ::testing::Test {
protected:
    AccessibleControlTest() { host::installAccessibleControls(); }

    Made make(const char* className, const QVariantMap& properties, const QString& toolTip = {})
    {
        const DrawnControl drawn = m_factory.create(QString::fromLatin1(className), properties, &m_window);
        drawn.widget->setGeometry(0, 0, 80, 25);
        drawn.widget->setToolTip(toolTip.isEmpty() ? drawn.widget->toolTip() : toolTip);
        return {drawn, QAccessible::queryAccessibleInterface(drawn.widget)};
    }

    QWidget m_window;
    HostedControlFactory m_factory{controls::standardControlClasses()};
};

TEST_F(AccessibleControlTest, EachButtonIsNamedDescribedAndStatedFromItsFace)
{
    const struct {
        const char* className;
        QVariantMap properties;
        QString toolTip; // the container's, as the stored window gives the Help button
        QAccessible::Role role;
        const char* name;
        const char* description;
        bool enabled;
        bool checked;
    } cases[] = {
        {"Ostrand.chameleonButton", {{"tx", "&Remove All"}, {"enab", false}}, {}, QAccessible::Button,
         "Remove All", "", false, false},
        {"Ostrand.chameleonButton", {{"tx", "Save && E&xit"}, {"enab", true}, {"check", true}, {"value", true}}, {},
         QAccessible::CheckBox, "Save & Exit", "", true, true},
        {"Ostrand.chameleonButton", {{"tx", "Bold"}, {"enab", true}, {"check", true}, {"value", false}}, {},
         QAccessible::CheckBox, "Bold", "", true, false},
        {"Ostrand.isButton", {{"caption", "Start"}, {"tooltiptext", "Convert the checked files"}}, {},
         QAccessible::Button, "Start", "Convert the checked files", true, false},
        {"Ostrand.isButton", {{"caption", "Wrap"}, {"buttontype", 1}, {"value", true}, {"enabled", false}}, {},
         QAccessible::CheckBox, "Wrap", "", false, true},
        {"Ostrand.XpB", {{"caption", "Help"}}, "Online Help", QAccessible::Button, "Help", "Online Help", true, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const Made made = make(each.className, each.properties, each.toolTip);
        ASSERT_NE(made.accessible, nullptr);
        EXPECT_EQ(made.accessible->role(), each.role);
        EXPECT_EQ(made.accessible->text(QAccessible::Name), QString::fromUtf8(each.name));
        EXPECT_EQ(made.accessible->text(QAccessible::Description), QString::fromUtf8(each.description));
        const QAccessible::State state = made.accessible->state();
        EXPECT_EQ(!state.disabled, each.enabled);
        EXPECT_EQ(bool(state.checkable), each.role == QAccessible::CheckBox);
        EXPECT_EQ(bool(state.checked), each.checked);
        ASSERT_NE(made.accessible->actionInterface(), nullptr);
        EXPECT_TRUE(made.accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        EXPECT_EQ(made.accessible->valueInterface(), nullptr);
    }
}

TEST_F(AccessibleControlTest, PressClicksAnEnabledButtonOnceAndADisabledOneNever)
{
    for (const bool enabled : {true, false}) {
        const Made made = make("Ostrand.chameleonButton", {{"tx", "Go"}, {"enab", enabled}});
        int clicks = 0;
        made.drawn.button->SetClickHandler([&clicks] { ++clicks; });
        made.accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks, enabled ? 1 : 0) << enabled;
        // The window switches a button on later; the press follows.
        made.drawn.button->SetEnabled(true);
        made.accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks, enabled ? 2 : 1) << enabled;
        EXPECT_FALSE(made.accessible->state().disabled);
    }
}

TEST_F(AccessibleControlTest, TheBarReportsItsValueBetweenZeroAndMax)
{
    const Made made = make("Ostrand.XP_ProgressBar", {{"scrolling", 1}});
    EXPECT_EQ(made.accessible->role(), QAccessible::ProgressBar);
    QAccessibleValueInterface* value = made.accessible->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    made.drawn.progress->SetMax(40);
    made.drawn.progress->SetValue(10);
    EXPECT_EQ(value->currentValue().toInt(), 10);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 40);
    EXPECT_FALSE(made.accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

} // namespace
} // namespace plainquill
