// The drawn controls of the real window as a screen reader finds them over AT-SPI: named, with
// their roles and states, pressed through their Press action; the progress bar with its value.
#include "tests/window/accessible_desktop.h"

#include <gtest/gtest.h>

#include <optional>

namespace plainquill::testing {
namespace {

const QString kProgram = QStringLiteral(PLAINQUILL_PROGRAM);

// One object's line: role, name, description, states, actions, value.
QStringList fieldsOf(const QString& line) { return line.split('\t'); }

class AccessibleWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_session.emplace(kProgram);
        m_pid = AccessibleDesktop::windowProcess(*m_session, "^Plainquill 1\\.0$");
        ASSERT_TRUE(waitUntil([&] { return !AccessibleDesktop::objects(tree(), "push button", "Start").isEmpty(); },
                              20000))
            << "the window never showed a button named Start:\n" << tree().join('\n').toStdString();
    }

    QStringList tree() const { return AccessibleDesktop::tree(*m_session, m_pid); }

    AccessibleDesktop m_desktop; // first: the program joins its bus
    std::optional<XSession> m_session;
    qint64 m_pid = 0;
};

TEST_F(AccessibleWindow, EveryDrawnControlIsNamedWithItsRoleStatesAndActions)
{
    const QStringList now = tree();
    const struct {
        const char* name;
        bool enabled;
        const char* description;
    } buttons[] = {{"Remove All", false, ""}, {"Browse...", true, ""}, {"Output", true, ""},
                   {"Help", true, "Online Help"}, {"Stop", false, ""}, {"Start", true, ""}};
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.name);
        const QStringList found = AccessibleDesktop::objects(now, "push button", button.name);
        ASSERT_EQ(found.size(), 1) << now.join('\n').toStdString();
        const QStringList fields = fieldsOf(found[0]);
        ASSERT_EQ(fields.size(), 6);
        EXPECT_EQ(fields[2], button.description);
        EXPECT_EQ(fields[3].split(',').contains("sensitive"), button.enabled) << fields[3].toStdString();
        EXPECT_TRUE(fields[4].split(',').contains("Press")) << fields[4].toStdString();
    }
    const QStringList bar = AccessibleDesktop::objects(now, "progress bar", "Conversion progress");
    ASSERT_EQ(bar.size(), 1) << now.join('\n').toStdString();
    EXPECT_EQ(fieldsOf(bar[0]).value(5), "0/0/100");
    for (const char* box : {"Document or folder", "Output folder"})
        EXPECT_EQ(AccessibleDesktop::objects(now, "text", box).size(), 1) << box;
    // Nothing without a name: decoration (the lines of the box around the queue, a panel the
    // button keeps hidden) is no object at all.
    for (const QString& line : now)
        EXPECT_FALSE(fieldsOf(line).value(1).isEmpty()) << "an unnamed object: " << line.toStdString();
}

TEST_F(AccessibleWindow, PressClicksAnEnabledButtonAndNotADisabledOne)
{
    // Remove All is greyed in an empty window: its question must not come.
    AccessibleDesktop::press(*m_session, m_pid, "Remove All");
    EXPECT_FALSE(waitUntil([&] { return !m_session->findWindow("^Remove Files$").isEmpty(); }, 1500));
    AccessibleDesktop::press(*m_session, m_pid, "Browse...");
    const QString chooser = m_session->waitForWindow("^Open$");
    EXPECT_FALSE(chooser.isEmpty());
    m_session->xdo("windowfocus --sync " + chooser);
    m_session->key("Escape");
    EXPECT_TRUE(waitUntil([&] { return m_session->findWindow("^Open$").isEmpty(); }, 5000));
    EXPECT_TRUE(m_session->programRunning());
}

} // namespace
} // namespace plainquill::testing
