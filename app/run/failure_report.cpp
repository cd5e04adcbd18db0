#include "app/run/failure_report.h"

#include <QStringList>

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
    QStringList parts;
    if (outcome.stopped)
        parts << stoppedSummary(outcome);
    if (!outcome.failed.empty()) {
        QString part = failuresHeading(outcome);
        appendList(part, outcome.failed, failureLine, listed);
        parts << part;
    }
    if (!outcome.renamed.empty()) {
        QString part = kRenamesHeading.arg(outcome.renamed.size());
        appendList(part, outcome.renamed, full ? fullRenameLine : shortRenameLine, listed);
        parts << part;
    }
    if (!outcome.textless.empty()) {
        QString part = kTextlessHeading.arg(outcome.textless.size());
        appendList(part, outcome.textless, asItIs, listed);
        parts << part;
    }
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace

RunReport endOfRunReport(const RunOutcome& outcome)
{
    if (!outcome.stopped && outcome.failed.empty() && outcome.renamed.empty() && outcome.textless.empty())
        return {};
    const int everyFile = int(outcome.failed.size() + outcome.renamed.size() + outcome.textless.size());
    RunReport report{compose(outcome, kFilesListed, false), compose(outcome, everyFile, true)};
    if (everyFile == 0)
        report.details.clear(); // a stop that left nothing to list: the summary says it all
    return report;
}

} // namespace plainquill
