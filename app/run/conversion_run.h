#pragma once
// What Start does: validate the queue and the output folder, take the folder from other runs until
// the texts are written, then save every checked document as "<base name>.txt" in it with a pool
// of word processors, one per core, the first of which is usually started already. The window's
// thread shows the run: the bar moves with every document done, in queue order or not, the
// title names the earliest document in hand, and clicks and typing are handled between two
// looks at the pool. Stop is answered at once: a confirmed Stop gives every document in hand up.
// Names are settled at Start (run_plan.h).
#include "app/run/failure_report.h"
#include "controls/contracts/progress_face.h"
#include "engine/worker_pool.h"

#include <filesystem>
#include <functional>

class QLineEdit;
class QString;

namespace plainquill {

namespace contracts {
class ButtonFace;
}
class FileQueue;
class Shell;
enum class MessageAnswer;
struct RunPlan;

constexpr contracts::Colour kProgressGreen = 0x00FF00;  // after every converted file
constexpr contracts::Colour kProgressWhite = 0xFFFFFF;  // after a confirmed cancel

struct RunParts {
    FileQueue& queue;
    QLineEdit& Text1; // output folder, read once when the checks have passed
    QLineEdit& Text2; // source box, only tested for emptiness
    contracts::ProgressFace& progress;
    contracts::ButtonFace& start;
    contracts::ButtonFace& stop;
    bool& bCancel;
    Shell& shell;
    // Makes one worker's word processor launcher; called once per worker at Start.
    engine::LauncherFactory wordProcessors;
    int workers;
    std::function<void()> processPendingEvents;
    // Told true when the workers are given the checked files and false when the run ends, so the
    // window can keep the queue and the output folder still meanwhile.
    std::function<void(bool)> setConverting;
    // Runs one wait for the workers so that the window stays painted meanwhile; empty runs it in
    // place.
    std::function<void(const std::function<void()>&)> awaitSlowCall = {};
    // Told the name of the document being converted, and an empty name when the run ends.
    std::function<void(const QString&)> showConverting = {};
};

class ConversionRun {
public:
    explicit ConversionRun(RunParts parts) : m_p(std::move(parts)) {}

    void Start_Click();
    bool running() const { return m_running; }

    // Stop was clicked (bCancel is already set). While the workers convert, the question is asked
    // now and they work on meanwhile; Yes gives up the documents in hand.
    void stopRequested();

    // The window is going away: end the run at once, the documents in hand given up, without
    // asking and without the closing message.
    void abandon();

private:
    bool validate();
    void convertQueue();
    // Shows the pool's progress until every document is done or the run is stopped or abandoned.
    void followWorkers(engine::WorkerPool& pool, const RunPlan& plan);
    // Asks whether to cancel after Stop; Yes ends the run at once.
    void confirmCancel();
    MessageAnswer askCancel();
    void showCancelled() noexcept;
    void showStartFailure(const engine::StartFailure& why);
    RunOutcome outcomeOf(const engine::WorkerPool& pool, const RunPlan& plan, const std::filesystem::path& folder);
    // Start back, Stop off, the queue and the output folder free again.
    void restoreControls() noexcept;
    void slowCall(const std::function<void()>& call);
    void showConverting(const QString& name);

    RunParts m_p;
    bool m_running = false;
    bool m_abandoned = false;
    bool m_asking = false;        // the cancel question is up
    bool m_stopConfirmed = false; // Stop answered Yes
    engine::WorkerPool* m_pool = nullptr; // while the workers convert
};

} // namespace plainquill
