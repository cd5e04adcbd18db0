#pragma once
// The program's one window: the queue, the ways of adding files, the output folder, Start and
// Stop, Help. It builds itself from the stored layout and connects the handlers; the rules live
// in FileQueue, FileAdder and FolderPickers.
#include "app/adding/file_adder.h"
#include "app/pickers/folder_pickers.h"
#include "app/queue/file_queue.h"
#include "app/run/conversion_run.h"
#include "app/run/worker_thread.h"
#include "app/window/busy_pointer.h"
#include "app/window/form_loader.h"

#include <QWidget>

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QMouseEvent;
class QTreeView;
class QWindow;

namespace plainquill {

class Shell;

struct Form1Options {
    Shell& shell;
    DrawnControlFactory& controls;
    // Makes one worker's word processor launcher; a run calls it once per worker.
    engine::LauncherFactory wordProcessors;
    QString helpPage; // the help page shipped beside the program
    // One pass of the window's pending events; the run yields through it between two looks at
    // its workers.
    std::function<void()> processPendingEvents;
    QByteArray layout = {}; // the window's layout; empty for the one stored in the program
    int workers = 1;        // word processors a run converts with side by side
    // Told when documents were queued, and when a run ended with documents still queued, so that
    // a word processor can be started before Start is pressed.
    std::function<void()> documentsQueued = {};
};

class Form1 : public QWidget {
public:
    explicit Form1(Form1Options options, QWidget* parent = nullptr);
    ~Form1() override;

    // The named control; null when the layout has none of that name and type.
    template <typename Widget>
    Widget* control(const QString& name) const { return qobject_cast<Widget*>(m_form.widgets.value(name)); }
    // The drawn controls, bound once when the layout loads.
    contracts::ButtonFace& removeAllButton() const { return m_removeAllButton; }
    contracts::ButtonFace& browseButton() const { return m_browseButton; }
    contracts::ButtonFace& outputButton() const { return m_outputButton; }
    contracts::ButtonFace& stopButton() const { return m_stopButton; }
    contracts::ButtonFace& helpButton() const { return m_helpButton; }
    contracts::ButtonFace& startButton() const { return m_startButton; }
    contracts::ProgressFace& progressBar() const { return m_progressBar; }

    FileQueue& queue() { return *m_queue; }
    FileAdder& adder() { return *m_adder; }
    ConversionRun& run() { return *m_run; }

    // Set by Stop and read by the conversion run.
    bool bCancel = false;

    // The window's handlers, public so that tests can drive them as a click would.
    void Option1_Click();
    void Option2_Click();
    void Check1_Click();
    void RemoveAll_Click();
    void Browse_Click();
    void Output_Click();
    void Stop_Click();
    void Help_Click();
    void Start_Click();
    // Files and folders dropped onto the path list or the file table.
    void List1_OLEDragDrop(const std::vector<std::filesystem::path>& paths);
    // Files and folders the program was started with again while this window is open: queued as
    // a drop (after the run, when one is converting) and the window comes to the front.
    void openHandedOver(const std::vector<std::filesystem::path>& paths);

protected:
    // Closing during a run ends the run at once, the document in hand given up, so the program
    // can end.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void addColumns();
    void nameForScreenReaders();
    void connectHandlers();
    // Tells whoever starts word processors ahead that the queue holds documents.
    void tellDocumentsQueued();
    // While a run converts, the queue holds still (no removing, browsing or dropping) and so does
    // the output folder, which the run took at Start.
    void setConverting(bool converting);
    void showConverting(const QString& name);
    // A press that the window takes even while the word processor works: one on Stop.
    bool answersAtOnce(QWindow* window, const QMouseEvent& press) const;

    Form1Options m_options;
    LoadedForm m_form;
    QListWidget* m_List1 = nullptr;
    QTreeView* m_ListView1 = nullptr;
    QLabel* m_Label3 = nullptr;
    QCheckBox* m_Check1 = nullptr;
    QCheckBox* m_Check2 = nullptr;
    QRadioButton* m_Option1 = nullptr;
    QRadioButton* m_Option2 = nullptr;
    QLineEdit* m_Text1 = nullptr;
    QLineEdit* m_Text2 = nullptr;
    contracts::ButtonFace& m_removeAllButton;
    contracts::ButtonFace& m_browseButton;
    contracts::ButtonFace& m_outputButton;
    contracts::ButtonFace& m_stopButton;
    contracts::ButtonFace& m_helpButton;
    contracts::ButtonFace& m_startButton;
    contracts::ProgressFace& m_progressBar;
    FolderPickers m_pickers;
    std::unique_ptr<FileQueue> m_queue;
    std::unique_ptr<FileAdder> m_adder;
    WorkerThread m_worker;
    std::unique_ptr<ConversionRun> m_run;
    QString m_restingTitle; // the caption to put back when a run ends
    bool m_converting = false;
    bool m_closed = false; // nothing more is queued or started for a closed window
    std::optional<BusyPointer> m_busy; // while converting
    bool m_removeAllWasEnabled = false;
    std::vector<std::filesystem::path> m_heldForRun; // handed over while converting
};

// The window, or null after telling the user (a critical message) why it could not be built:
// stored window data that cannot be read must not end the program without a word.
std::unique_ptr<Form1> openForm1(Form1Options options);

} // namespace plainquill
