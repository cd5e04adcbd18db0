#include "app/run/failure_report.h"

namespace plainquill {

namespace {

template <typename Item, typename Line>
void appendList(QString& text, const std::vector<Item>& items, Line line)
{
    const int count = int(items.size());
    for (int i = 0; i < count && i < kFailuresListed; ++i)
        text += QLatin1Char('\n') + line(items[i]);
    if (count > kFailuresListed)
        text += QStringLiteral("\n… and %1 more.").arg(count - kFailuresListed);
}

QString failureLine(const FailedFile& file)
{
    QString line = QStringLiteral("%1: %2").arg(file.path, QString::fromStdString(engine::describe(file.failure)));
    if (!file.detail.isEmpty())
        line += QStringLiteral(" (%1)").arg(file.detail);
    return line;
}

} // namespace

QString endOfRunReport(const RunOutcome& outcome)
{
    QString text;
    if (!outcome.failed.empty()) {
        // After a Stop only the files tried are counted: saying "of the checked files" would
        // pass the unconverted rest off as converted.
        const QString counted = outcome.stopped
            ? QStringLiteral("%1 of the %2 files converted before the run was stopped could not be converted:\n")
            : QStringLiteral("%1 of %2 checked files could not be converted:\n");
        text += counted.arg(outcome.failed.size()).arg(outcome.tried);
        appendList(text, outcome.failed, failureLine);
    }
    if (!outcome.renamed.empty()) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\n");
        text += QStringLiteral("%1 of the documents share a name with one converted before them; their text was "
                               "saved under a new name:\n")
                    .arg(outcome.renamed.size());
        appendList(text, outcome.renamed, [](const RenamedOutput& output) {
            return QStringLiteral("%1 → %2").arg(output.document, output.savedAs);
        });
    }
    return text;
}

} // namespace plainquill
