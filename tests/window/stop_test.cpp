// Stop and Start in a real window while LibreOffice converts a long document: Stop is answered at
// once, and Start neither stays lit nor loses the next click when the pointer left it during the run.
#include "tests/window/x_session.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <optional>

namespace plainquill::testing {
namespace {

const QString kProgram = QStringLiteral(PLAINQUILL_PROGRAM);

// Where the stored layout puts them, in pixels, and the faces' outline colour on the left edge
// half-way down while enabled.
const QRect kStop{504, 440, 73, 25};
const QRect kStart{600, 440, 89, 25};
const QRgb kStopEdge = qRgb(0, 60, 115);
const QRgb kStartEdge = qRgb(0, 60, 116);
const QRect kText1{296, 400, 305, 25};

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

bool looksEnabled(const QImage& shot, const QRect& button, QRgb edge)
{
    return near(shot.pixel(button.left(), button.top() + button.height() / 2), edge, 3);
}

// Pixels of `area` that differ between two pictures.
int differing(const QImage& a, const QImage& b, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += !near(a.pixel(x, y), b.pixel(x, y), 8);
    return count;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// An HTML document of `paragraphs` paragraphs: LibreOffice takes seconds over a few thousand.
QByteArray longHtml(int paragraphs)
{
    QByteArray html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n";
    for (int i = 1; i <= paragraphs; ++i)
        html += "<p>Paragraph " + QByteArray::number(i)
            + ": Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut "
              "labore et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation.</p>\n";
    return html + "</body></html>\n";
}

class StopInARealWindow : public ::testing::Test {
protected:
    // The program with one document of `paragraphs` paragraphs queued and the output folder typed.
    void open(int paragraphs)
    {
        m_document = m_files.filePath("long.html");
        ASSERT_NO_FATAL_FAILURE(writeFile(m_document, longHtml(paragraphs)));
        m_session.emplace(kProgram, QStringList{m_document});
        m_session->click(kText1.center());
        m_session->type(m_output.path());
    }
    QString outputText() const
    {
        QFile file(m_output.filePath("long.txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
    }
    bool waitForStop(bool enabled, int ms) const
    {
        return waitUntil([&] { return looksEnabled(m_session->screenshot(), kStop, kStopEdge) == enabled; }, ms);
    }

    QTemporaryDir m_files;
    QTemporaryDir m_output;
    QString m_document;
    std::optional<XSession> m_session;
};

TEST_F(StopInARealWindow, StopDuringALongDocumentAsksAtOnceAndYesGivesTheDocumentUp)
{
    ASSERT_NO_FATAL_FAILURE(open(3000));
    ASSERT_NO_FATAL_FAILURE(writeFile(m_output.filePath("long.txt"), "old text"));
    XSession& x = *m_session;
    x.click(kStart.center());
    ASSERT_TRUE(waitForStop(true, 60000)) << "the run did not reach the document";

    x.click(kStop.center());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(waitUntil([&] { return !x.findWindow("^Plainquill$").isEmpty(); }, 20000));
    EXPECT_LT(clock.elapsed(), 3000) << "the question waited for the document";
    EXPECT_EQ(outputText(), "old text") << "the document was still in hand when asked";
    x.xdo("windowfocus --sync " + x.findWindow("^Plainquill$"));
    x.key("Return"); // Yes, the default answer

    ASSERT_TRUE(waitForStop(false, 10000)) << "Yes did not end the run at once";
    QThread::msleep(1000);
    EXPECT_EQ(outputText(), "old text") << "the given-up document left the old text whole";
    EXPECT_TRUE(looksEnabled(x.screenshot(), kStart, kStartEdge));
    EXPECT_TRUE(x.programRunning());
}

// Start is disabled through the run its own click began, and the pointer leaves it meanwhile: once
// Stop is lit, or at once, before the window has looked where the pointer is. Start must not stay
// lit afterwards, and the next click on it, where Qt last saw the pointer (so no move comes before
// the press), must start a run.
TEST_F(StopInARealWindow, StartIsNotLeftLitAndTakesTheNextClickWhenThePointerLeftItDuringTheRun)
{
    ASSERT_NO_FATAL_FAILURE(open(300));
    XSession& x = *m_session;
    x.movePointerAway();
    QThread::msleep(300);
    const QImage atRest = x.screenshot();
    const auto clickStartsARun = [&] {
        QFile::remove(m_output.filePath("long.txt"));
        x.click(kStart.center());
    };
    const auto runEnded = [&] {
        return waitUntil([&] { return outputText() != "<missing>"; }, 120000) && waitForStop(false, 120000);
    };

    for (const bool atOnce : {false, true}) {
        SCOPED_TRACE(atOnce ? "the pointer left at once" : "the pointer left once Stop was lit");
        clickStartsARun();
        if (!atOnce) {
            ASSERT_TRUE(waitForStop(true, 60000)) << "the run did not reach the document";
        }
        x.movePointerAway();
        ASSERT_TRUE(runEnded()) << "the click on Start started no run, or it did not end";
        QThread::msleep(500);
        const QImage after = x.screenshot();
        EXPECT_TRUE(looksEnabled(after, kStart, kStartEdge));
        EXPECT_LE(differing(atRest, after, kStart), 4) << "Start still shows the face of a button under the pointer";
    }
    clickStartsARun();
    EXPECT_TRUE(runEnded()) << "the click on Start after the last run was lost";
}

} // namespace
} // namespace plainquill::testing
