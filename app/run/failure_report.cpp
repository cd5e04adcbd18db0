#include "app/run/failure_report.h"

namespace plainquill {

namespace {

template <typename Item, typename Line>
void appendList(QString& text, const std::vector<Item>& items, Line line, int listed)
{
    const int count = int(items.size());
    for (int i = 0; i < count && i < listed; ++i)
        text += QLatin1Char('\n') + line(items[i]);
    if (count > listed)
        text += QStringLiteral("\n… and %1 more, listed in the details.").arg(count - listed);
}

QString failureLine(const FailedFile& file)
{
    QString line = QStringLiteral("%1: %2").arg(file.path, QString::fromStdString(engine::describe(file.failure)));
    if (!file.detail.isEmpty())
        line += QStringLiteral(" (%1)").arg(file.detail);
    return line;
}

QString shortRenameLine(const RenamedOutput& output)
{
    return QStringLiteral("%1 → %2").arg(output.document, output.savedAs);
}

QString fullRenameLine(const RenamedOutput& output)
{
    return QStringLiteral("%1 → %2").arg(output.documentPath, output.savedAsPath);
}

// After a Stop the run ends with files of three kinds; each is counted so that none passes for
// another (the files never reached are neither converted nor failed).
QString stoppedSummary(const RunOutcome& outcome)
{
    const int failed = int(outcome.failed.size());
    const int converted = outcome.tried - failed;
    const int notStarted = outcome.checked - outcome.tried;
    return QStringLiteral("The run was stopped: %1 %2 converted, %3 could not be converted, %4 not started.")
        .arg(converted)
        .arg(converted == 1 ? QStringLiteral("file") : QStringLiteral("files"))
        .arg(failed)
        .arg(notStarted);
}

QString failuresHeading(const RunOutcome& outcome)
{
    if (outcome.stopped)
        return QStringLiteral("These could not be converted:");
    return QStringLiteral("%1 of %2 checked files could not be converted:").arg(outcome.failed.size()).arg(outcome.tried);
}

const QString kRenamesHeading = QStringLiteral(
    "%1 of the documents share a name with one before them in the queue; their text was saved under a new name:");

const QString kTextlessHeading = QStringLiteral(
    "%1 of the documents gave no text (only pictures, charts or objects, such as scans); their text files are blank:");

QString asItIs(const QString& line)
{
    return line;
}

// The message, or its details when `listed` allows every file and the lines are `full`.
QString compose(const RunOutcome& outcome, int listed, bool full)
{
    QString text;
    if (outcome.stopped)
        text += stoppedSummary(outcome) + QStringLiteral("\n\n");
    if (!outcome.failed.empty()) {
        text += failuresHeading(outcome) + QLatin1Char('\n');
        appendList(text, outcome.failed, failureLine, listed);
    }
    if (!outcome.renamed.empty()) {
        if (!outcome.failed.empty())
            text += QStringLiteral("\n\n");
        text += kRenamesHeading.arg(outcome.renamed.size()) + QLatin1Char('\n');
        appendList(text, outcome.renamed, full ? fullRenameLine : shortRenameLine, listed);
    }
    if (!outcome.textless.empty()) {
        if (!outcome.failed.empty() || !outcome.renamed.empty())
            text += QStringLiteral("\n\n");
        text += kTextlessHeading.arg(outcome.textless.size()) + QLatin1Char('\n');
        appendList(text, outcome.textless, asItIs, listed);
    }
    return text;
}

} // namespace

RunReport endOfRunReport(const RunOutcome& outcome)
{
    if (outcome.failed.empty() && outcome.renamed.empty() && outcome.textless.empty())
        return {};
    const int everyFile = int(outcome.failed.size() + outcome.renamed.size() + outcome.textless.size());
    return {compose(outcome, kFailuresListed, false), compose(outcome, everyFile, true)};
}

} // namespace plainquill
