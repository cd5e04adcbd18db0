#pragma once
// What Start does: validate the queue and the output folder, start the word processor, and save
// every checked document as "<base name>.txt" in the output folder, yielding to the window once
// per file so that clicks and typing are handled between two files. Stop alone is answered at
// once, even during a document: a confirmed Stop gives the document in hand up. Documents of one
// run that share a base name are kept apart (OutputNames).
#include "app/run/failure_report.h"
#include "controls/contracts/progress_face.h"

#include <atomic>
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
enum class MessageAnswer;
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
    // Ends the document in hand at once, from the window's thread, leaving the word processor free
    // to start again for the next run; empty when it cannot be interrupted (the document then
    // finishes before a confirmed Stop ends the run).
    std::function<void()> interruptDocument = {};
};

class ConversionRun {
public:
    explicit ConversionRun(RunParts parts) : m_p(std::move(parts)) {}

    void Start_Click();
    bool running() const { return m_running; }

    // Stop was clicked (bCancel is already set). During a document the question is asked now,
    // while the word processor works on; between two documents the run asks at its next step.
    void stopRequested();

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
    MessageAnswer askCancel();
    void showCancelled() noexcept;
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
    bool m_inDocument = false;    // a document is with the word processor
    bool m_asking = false;        // the cancel question is up
    bool m_stopConfirmed = false; // answered Yes during a document
    bool m_documentInterrupted = false; // the document in hand was ended at the user's word
    std::atomic<bool> m_documentDone = false; // set by the worker thread when the document is back
};

} // namespace plainquill
