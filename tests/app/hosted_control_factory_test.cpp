// The factory the window uses: the progress bar is the real hosted control, loaded from the
// window's stored property stream and driven through its face, and so are the buttons.
#include "app/window/form_loader.h"
#include "app/window/hosted_control_factory.h"
#include "controls/chameleonbutton/chameleon_button.h"
#include "controls/contracts/control_errors.h"
#include "controls/isbutton/is_button.h"
#include "controls/progressbar/xp_progress_bar.h"
#include "controls/registry/standard_controls.h"
#include "controls/xpbutton/xp_button.h"
#include "platform/host/host_widget.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace plainquill {
namespace {

using namespace contracts;

const QVariantMap kStoredBar{{"scrolling", 1}, {"color", 16777215}, {"brushstyle", 0}};

TEST(HostedControlFactory, MakesTheProgressBarFromItsStoredValues)
{
    HostedControlFactory factory(controls::standardControlClasses());
    QWidget window;
    const DrawnControl made = factory.create(QStringLiteral("Ostrand.XP_ProgressBar"), kStoredBar, &window);
    auto* host = dynamic_cast<host::HostWidget*>(made.widget);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(made.widget->parentWidget(), &window);
    EXPECT_EQ(made.button, nullptr);
    ASSERT_NE(made.progress, nullptr);

    auto& bar = dynamic_cast<progressbar::XP_ProgressBar&>(host->control());
    EXPECT_EQ(bar.Scrolling(), 1);
    EXPECT_EQ(bar.BrushStyle(), 0);
    EXPECT_EQ(made.progress->Color(), 0xFFFFFFu);
    EXPECT_EQ(made.progress->Max(), 100);
    EXPECT_EQ(made.widget->focusPolicy(), Qt::NoFocus); // not a tab stop in the window
}

TEST(HostedControlFactory, RefusesAClassItDoesNotKnow)
{
    HostedControlFactory factory(controls::standardControlClasses());
    QWidget window;
    EXPECT_THROW(factory.create(QStringLiteral("Ostrand.NotRegistered"), {}, &window), std::invalid_argument);
    EXPECT_TRUE(window.children().isEmpty());
}

TEST(HostedControlFactory, TheRunDrivesTheBarThroughItsFace)
{
    HostedControlFactory factory(controls::standardControlClasses());
    QWidget window;
    window.resize(200, 60);
    const DrawnControl made = factory.create(QStringLiteral("Ostrand.XP_ProgressBar"), kStoredBar, &window);
    made.widget->setGeometry(10, 10, 97, 17);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    made.progress->SetMax(2);
    made.progress->SetColor(0x00FF00);
    made.progress->SetValue(1);
    EXPECT_EQ(made.progress->Value(), 1);
    // 50 % of 97: x = round(94 x 50 / 98 + 3) = 51, pitch 2: the fill ends at column 50. At a
    // height of 17 the lower gradient starts at row 7 in the colour itself.
    QImage shown;
    for (int i = 0; i < 50 && shown.isNull(); ++i) {
        QCoreApplication::processEvents();
        const QImage grabbed = made.widget->grab().toImage();
        if (grabbed.pixel(40, 7) == qRgb(0, 255, 0))
            shown = grabbed;
    }
    ASSERT_FALSE(shown.isNull()) << "the green fill never showed";
    EXPECT_EQ(shown.pixel(50, 7), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(51, 7), qRgb(255, 255, 255));

    made.progress->SetMax(0);
    EXPECT_THROW(made.progress->SetValue(1), DivisionByZeroError);
    made.progress->SetMax(2);
    EXPECT_THROW(made.progress->SetValue(30000000), OverflowError);
}

TEST(HostedControlFactory, TheStoredWindowLoadsTheRealBar)
{
    HostedControlFactory factory(controls::standardControlClasses());
    QWidget window;
    const LoadedForm form = loadForm(window, storedForm1Layout(), factory);
    const DrawnControl bar = form.drawn.value(QStringLiteral("XP_ProgressBar1"));
    auto* host = dynamic_cast<host::HostWidget*>(bar.widget);
    ASSERT_NE(host, nullptr);
    ASSERT_NE(bar.progress, nullptr);
    // The window is not shown yet: the bar takes its place (97 x 17 pixels) when it is next used.
    bar.progress->SetMax(4);
    bar.progress->SetValue(1);
    EXPECT_EQ(host->site().clientSize(), (Size{97, 17}));
    EXPECT_EQ(host->site().Ambient().DisplayName, "XP_ProgressBar1");
    EXPECT_EQ(host->site().Extender().Name(), "XP_ProgressBar1");
    // The Start button is the drawn button, offering its face to the window.
    const DrawnControl start = form.drawn.value(QStringLiteral("isButton1"));
    EXPECT_NE(dynamic_cast<host::HostWidget*>(start.widget), nullptr);
    ASSERT_NE(start.button, nullptr);
    EXPECT_EQ(start.button->Caption(), "Start");
    auto& startButton = dynamic_cast<isbutton::isButton&>(dynamic_cast<host::HostWidget*>(start.widget)->control());
    EXPECT_EQ(startButton.Style(), isbutton::BlueSkin);
    EXPECT_EQ(startButton.ToolTipType(), isbutton::ttBalloon);
    EXPECT_EQ(startButton.MaskColor(), 0u);
    EXPECT_FALSE(startButton.RoundedBordersByTheme());
}

TEST(HostedControlFactory, TheStoredWindowLoadsItsFourMultiLookButtons)
{
    HostedControlFactory factory(controls::standardControlClasses());
    QWidget window;
    const LoadedForm form = loadForm(window, storedForm1Layout(), factory);
    struct Stored { const char* name; bool enabled; Colour mask; bool picture; };
    const Stored buttons[] = {{"chameleonButton1", false, 0xFFFFFF, true},
                              {"chameleonButton2", true, 0xC0C0C0, false},
                              {"chameleonButton3", true, 0xFFFFFF, true},
                              {"chameleonButton4", false, 0xFFFFFF, true}};
    for (const Stored& stored : buttons) {
        auto* host = dynamic_cast<host::HostWidget*>(form.drawn.value(QString::fromLatin1(stored.name)).widget);
        ASSERT_NE(host, nullptr) << stored.name;
        auto& button = dynamic_cast<chameleon::chameleonButton&>(host->control());
        EXPECT_EQ(button.ButtonType(), chameleon::WindowsXP) << stored.name;
        EXPECT_EQ(button.ColorScheme(), chameleon::System) << stored.name;
        EXPECT_EQ(button.BackOver(), 0xD8E9ECu) << stored.name;
        EXPECT_EQ(button.MousePointer(), POINTER_ARROW) << stored.name;
        EXPECT_EQ(button.Enabled(), stored.enabled) << stored.name;
        EXPECT_EQ(host->isEnabled(), stored.enabled) << stored.name;
        EXPECT_EQ(button.MaskColor(), stored.mask) << stored.name;
        EXPECT_EQ(button.PictureSize() == (Size{16, 16}), stored.picture) << stored.name;
    }
}

TEST(HostedControlFactory, TheHelpButtonIsTheXPLookButtonWithItsPictureAndPointer)
{
    HostedControlFactory factory(controls::standardControlClasses());
    QWidget window;
    const LoadedForm form = loadForm(window, storedForm1Layout(), factory);
    const DrawnControl help = form.drawn.value(QStringLiteral("XpB1"));
    auto* host = dynamic_cast<host::HostWidget*>(help.widget);
    ASSERT_NE(host, nullptr);
    ASSERT_NE(help.button, nullptr);
    const auto& xpb = dynamic_cast<const xpbutton::XpB&>(host->control());
    EXPECT_EQ(help.button->Caption(), "Help");
    EXPECT_EQ(xpb.ButtonStyle(), xpbutton::XP);
    ASSERT_TRUE(xpb.Picture());
    EXPECT_EQ(xpb.Picture()->pixelSize(), (Size{12, 18}));
    EXPECT_EQ(host->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(host->size(), QSize(73, 25));
    EXPECT_FALSE(host->mask().contains(QPoint(0, 0))) << "the rounded corners of the XP look";

    int clicks = 0;
    help.button->SetClickHandler([&] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(host, Qt::LeftButton, {}, QPoint(36, 12));
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace plainquill
