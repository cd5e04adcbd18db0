#include "app/window/form1.h"

#include "app/adapters/shell.h"
#include "app/window/path_list_widget.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTreeView>
#include <QUrl>

#include <stdexcept>
#include <utility>

namespace plainquill {

namespace {

template <typename Widget>
Widget& required(const LoadedForm& form, const char* name)
{
    auto* widget = qobject_cast<Widget*>(form.widgets.value(QLatin1String(name)));
    if (!widget)
        throw std::runtime_error(std::string("the window layout lacks ") + name);
    return *widget;
}

contracts::ButtonFace& requiredButton(const LoadedForm& form, const char* name)
{
    contracts::ButtonFace* face = form.drawn.value(QLatin1String(name)).button;
    if (!face)
        throw std::runtime_error(std::string("the window layout lacks the button ") + name);
    return *face;
}

contracts::ProgressFace& requiredProgressBar(const LoadedForm& form, const char* name)
{
    contracts::ProgressFace* face = form.drawn.value(QLatin1String(name)).progress;
    if (!face)
        throw std::runtime_error(std::string("the window layout lacks the progress bar ") + name);
    return *face;
}

} // namespace

Form1::Form1(Form1Options options, QWidget* parent)
    : QWidget(parent),
      m_options(options),
      m_form(loadForm(*this, options.layout.isEmpty() ? storedForm1Layout() : options.layout, options.controls)),
      m_List1(&required<QListWidget>(m_form, "List1")),
      m_ListView1(&required<QTreeView>(m_form, "ListView1")),
      m_Label3(&required<QLabel>(m_form, "Label3")),
      m_Check1(&required<QCheckBox>(m_form, "Check1")),
      m_Check2(&required<QCheckBox>(m_form, "Check2")),
      m_Option1(&required<QRadioButton>(m_form, "Option1")),
      m_Option2(&required<QRadioButton>(m_form, "Option2")),
      m_Text1(&required<QLineEdit>(m_form, "Text1")),
      m_Text2(&required<QLineEdit>(m_form, "Text2")),
      m_removeAllButton(requiredButton(m_form, "chameleonButton1")),
      m_browseButton(requiredButton(m_form, "chameleonButton2")),
      m_outputButton(requiredButton(m_form, "chameleonButton3")),
      m_stopButton(requiredButton(m_form, "chameleonButton4")),
      m_helpButton(requiredButton(m_form, "XpB1")),
      m_startButton(requiredButton(m_form, "isButton1")),
      m_progressBar(requiredProgressBar(m_form, "XP_ProgressBar1")),
      m_pickers(options.shell)
{
    m_queue = std::make_unique<FileQueue>(
        QueueWidgets{*m_List1, *m_ListView1, *m_Label3, *m_Check1, m_removeAllButton});
    m_adder = std::make_unique<FileAdder>(*m_queue, m_pickers, options.shell,
                                          AddingWidgets{*m_Text2, *m_Check2, *m_List1});
    RunParts run{*m_queue,
                 *m_Text1,
                 *m_Text2,
                 m_progressBar,
                 m_startButton,
                 m_stopButton,
                 bCancel,
                 options.shell,
                 options.wordProcessors,
                 options.workers,
                 options.processPendingEvents ? options.processPendingEvents
                                              : [] { QCoreApplication::processEvents(); },
                 [this](bool converting) { setConverting(converting); },
                 [this](const std::function<void()>& call) { m_worker.run(call); },
                 [this](const QString& name) { showConverting(name); }};
    m_worker.letThrough([this](QWindow* window, const QMouseEvent& press) { return answersAtOnce(window, press); });
    m_run = std::make_unique<ConversionRun>(std::move(run));
    addColumns();
    nameForScreenReaders();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::addColumns()
{
    for (const char* header : {"File Name", "File Size", "File Type", "Modified"})
        m_queue->addColumn(QLatin1String(header));
}

// A screen reader has no label beside the boxes to read; the same words guide a sighted user.
// The table, the list and the empty count show no words of their own to name them by.
void Form1::nameForScreenReaders()
{
    for (auto [box, name] : {std::pair{m_Text2, "Document or folder"}, std::pair{m_Text1, "Output folder"}}) {
        box->setAccessibleName(QLatin1String(name));
        box->setPlaceholderText(QLatin1String(name));
    }
    if (QWidget* bar = m_form.widgets.value(QStringLiteral("XP_ProgressBar1")))
        bar->setAccessibleName(QStringLiteral("Conversion progress"));
    m_ListView1->setAccessibleName(QStringLiteral("Queued documents"));
    m_List1->setAccessibleName(QStringLiteral("Paths of the queued documents"));
    showCountText(*m_Label3, m_Label3->text());
}

void Form1::connectHandlers()
{
    connect(m_Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(m_Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(m_Check1, &QCheckBox::clicked, this, &Form1::Check1_Click);
    m_removeAllButton.SetClickHandler([this] { RemoveAll_Click(); });
    m_browseButton.SetClickHandler([this] { Browse_Click(); });
    m_outputButton.SetClickHandler([this] { Output_Click(); });
    m_stopButton.SetClickHandler([this] { Stop_Click(); });
    m_helpButton.SetClickHandler([this] { Help_Click(); });
    m_startButton.SetClickHandler([this] { Start_Click(); });
    // Users drop onto the big table as readily as onto the path list: both take the same drops.
    if (auto* dropTarget = qobject_cast<PathListWidget*>(m_List1)) {
        connect(dropTarget, &PathListWidget::pathsDropped, this, &Form1::List1_OLEDragDrop);
        acceptPathDrops(*m_ListView1, [this](const std::vector<std::filesystem::path>& paths) {
            List1_OLEDragDrop(paths);
        });
    }
    // One insertion per add, however many files it brings.
    connect(m_ListView1->model(), &QAbstractItemModel::rowsInserted, this, [this] { tellDocumentsQueued(); });
}

void Form1::tellDocumentsQueued()
{
    if (m_options.documentsQueued && m_queue->length() > 0)
        m_options.documentsQueued();
}

void Form1::List1_OLEDragDrop(const std::vector<std::filesystem::path>& paths)
{
    if (!m_converting)
        m_adder->addDropped(paths);
}

void Form1::openHandedOver(const std::vector<std::filesystem::path>& paths)
{
    if (m_converting)
        m_heldForRun.insert(m_heldForRun.end(), paths.begin(), paths.end());
    else
        m_adder->addDropped(paths);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void Form1::Option1_Click()
{
    m_Check2->setEnabled(false);
}

void Form1::Option2_Click()
{
    m_Check2->setEnabled(true);
}

void Form1::Check1_Click()
{
    switch (m_Check1->checkState()) {
    case Qt::Checked: m_queue->setAllChecked(true); break;
    case Qt::Unchecked: m_queue->setAllChecked(false); break;
    default: break;
    }
}

void Form1::RemoveAll_Click()
{
    const MessageAnswer answer =
        m_options.shell.showMessage(MessageIcon::Question, QStringLiteral("Remove Files"),
                                    QStringLiteral("Do you want to remove all files?"), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    m_queue->ClearQueue();
    m_removeAllButton.SetEnabled(false);
    if (m_List1->count() == 0)
        showCountText(*m_Label3, QString());
}

void Form1::Browse_Click()
{
    if (m_Option1->isChecked())
        m_adder->opensingle();
    if (m_Option2->isChecked())
        m_adder->openmultiple();
}

void Form1::Output_Click()
{
    m_pickers.BrowseOutputFolder();
    if (!m_pickers.strSelectedFolder.isEmpty())
        m_Text1->setText(m_pickers.strSelectedFolder);
}

void Form1::Stop_Click()
{
    bCancel = true;
    m_run->stopRequested();
}

bool Form1::answersAtOnce(QWindow* window, const QMouseEvent& press) const
{
    QWidget* stop = m_form.widgets.value(QStringLiteral("chameleonButton4"));
    if (!stop || !stop->isEnabled() || !stop->isVisible() || stop->window()->windowHandle() != window)
        return false;
    return stop->rect().contains(stop->mapFromGlobal(press.globalPosition().toPoint()));
}

void Form1::Start_Click()
{
    m_run->Start_Click();
}

void Form1::setConverting(bool converting)
{
    m_converting = converting;
    if (converting) {
        // Clicks wait for the run's next look at its workers: the pointer says they were noticed.
        m_busy.emplace();
        m_removeAllWasEnabled = m_removeAllButton.Enabled();
        m_removeAllButton.SetEnabled(false);
    } else {
        m_busy.reset();
        m_removeAllButton.SetEnabled(m_removeAllWasEnabled);
    }
    m_browseButton.SetEnabled(!converting);
    m_outputButton.SetEnabled(!converting);
    m_Text1->setEnabled(!converting);
    // A run ended by closing the window leaves nothing to queue and no next run to start for.
    if (converting || m_closed)
        return;
    if (!m_heldForRun.empty())
        m_adder->addDropped(std::exchange(m_heldForRun, {}));
    // The run's word processors have quit; the next run should find one up again.
    tellDocumentsQueued();
}

void Form1::showConverting(const QString& name)
{
    if (m_restingTitle.isNull())
        m_restingTitle = windowTitle();
    setWindowTitle(name.isEmpty() ? m_restingTitle : QStringLiteral("Converting %1 - %2").arg(name, m_restingTitle));
}

void Form1::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    if (m_run->running())
        m_run->abandon();
    QWidget::closeEvent(event);
}

void Form1::paintEvent(QPaintEvent*) { paintLines(*this, m_form); }

void Form1::Help_Click()
{
    if (m_options.shell.openUrl(QUrl::fromLocalFile(m_options.helpPage)))
        return;
    // No desktop program takes the page: show it in a window of our own rather than nothing.
    if (QFileInfo::exists(m_options.helpPage))
        m_options.shell.showPage(QStringLiteral("Plainquill 1.0 Help"), m_options.helpPage);
    else
        m_options.shell.showMessage(MessageIcon::Information, QStringLiteral("Plainquill"),
                                    QStringLiteral("The help page is missing: ") + m_options.helpPage,
                                    MessageButtons::Ok);
}

std::unique_ptr<Form1> openForm1(Form1Options options)
{
    try {
        return std::make_unique<Form1>(options);
    } catch (const std::exception& error) {
        options.shell.showMessage(MessageIcon::Critical, QStringLiteral("Plainquill"),
                                  QStringLiteral("Plainquill cannot build its window: ") +
                                      QString::fromLocal8Bit(error.what()),
                                  MessageButtons::Ok);
        return nullptr;
    }
}

} // namespace plainquill
