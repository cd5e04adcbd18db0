#include "app/run/run_plan.h"

#include "app/queue/file_queue.h"
#include "engine/output_names.h"

namespace plainquill {

RunPlan planRun(const FileQueue& queue, const std::filesystem::path& outputFolder)
{
    RunPlan plan;
    OutputNames names(outputFolder);
    const auto rows = std::size_t(queue.length());
    plan.items.resize(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        plan.items[row].source = queue.nativePath(qsizetype(row));
        if (!queue.isChecked(qsizetype(row)))
            continue;
        plan.items[row].target = names.claim(plan.items[row].source);
        plan.todo.push_back(row);
    }
    return plan;
}

} // namespace plainquill
