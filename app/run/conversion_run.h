#pragma once
// What Start does: validate the queue and the output folder, start the word processor, and save
// every checked document as "<base name>.txt" in the output folder, yielding to the window once
// per file so that Stop, painting and typing are handled between two files. Documents of one run
// that share a base name are kept apart (OutputNames).
#include "app/run/failure_report.h"
#include "controls/contracts/progress_face.h"

#include <functional>

class QLineEdit;
class QString;

namespace plainquill {

namespace engine {
class WordProcessorLauncher;
}
namespace contracts {
class ButtonFace;
}
class FileQueue;
class OutputNames;
class Shell;
class WordProcessorSession;

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
    engine::WordProcessorLauncher& launcher;
    std::function<void()> processPendingEvents;
    // Told true when the first file is reached and false when the run ends, so the window can
    // keep the queue and the output folder still meanwhile.
    std::function<void(bool)> setConverting;
    // Runs one slow call of the word processor (start, convert, quit) so that the window stays
    // painted meanwhile; empty runs it in place.
    std::function<void(const std::function<void()>&)> awaitSlowCall = {};
    // Told the name of the document being converted, and an empty name when the run ends.
    std::function<void(const QString&)> showConverting = {};
    // Ends the word processor at once from the window's thread, even inside a slow call; empty
    // when the word processor cannot be interrupted.
    std::function<void()> interruptWordProcessor = {};
};

class ConversionRun {
public:
    explicit ConversionRun(RunParts parts) : m_p(std::move(parts)) {}

    void Start_Click();
    bool running() const { return m_running; }

    // The window is going away: end the run at once, the document in hand given up, without
    // asking and without the closing message.
    void abandon();

private:
    bool validate();
    void convertQueue();
    // False after telling the user why the word processor could not be started.
    bool startWordProcessor(WordProcessorSession& wordProcessor);
    // Asks whether to cancel after Stop; true when the run is to end here.
    bool userConfirmsCancel();
    void convertDocument(WordProcessorSession& wordProcessor, OutputNames& outputs, qsizetype position,
                         RunOutcome& outcome);
    void convertCheckedFiles(WordProcessorSession& wordProcessor, OutputNames& outputs, RunOutcome& outcome,
                             bool& converting);
    // Start back, Stop off, the queue and the output folder free again.
    void restoreControls(bool converting) noexcept;
    void slowCall(const std::function<void()>& call);
    void showConverting(const QString& name);

    RunParts m_p;
    bool m_running = false;
    bool m_abandoned = false;
};

} // namespace plainquill
