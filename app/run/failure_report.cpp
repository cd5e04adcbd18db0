#include "app/run/failure_report.h"

namespace plainquill {

QString failureReport(const std::vector<FailedFile>& failed, int checkedFiles)
{
    const int count = int(failed.size());
    QString text = QStringLiteral("%1 of %2 checked files could not be converted:\n")
                       .arg(count)
                       .arg(checkedFiles);
    for (int i = 0; i < count && i < kFailuresListed; ++i) {
        const FailedFile& file = failed[i];
        text += QStringLiteral("\n%1: %2").arg(file.path, QString::fromStdString(adapters::describe(file.failure)));
        if (!file.detail.isEmpty())
            text += QStringLiteral(" (%1)").arg(file.detail);
    }
    if (count > kFailuresListed)
        text += QStringLiteral("\n… and %1 more.").arg(count - kFailuresListed);
    return text;
}

} // namespace plainquill
