// The file table's model under Qt's own model checker, through everything the queue does to it.
#include "app/queue/file_table_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

namespace plainquill {
namespace {

std::vector<FileFacts> facts(std::initializer_list<const char*> names)
{
    std::vector<FileFacts> rows;
    for (const char* name : names)
        rows.push_back({QString::fromUtf8(name), QStringLiteral("1 bytes"), QStringLiteral("Word"), QString()});
    return rows;
}

TEST(FileTableModel, KeepsQtsModelRulesThroughEveryChange)
{
    FileTableModel model;
    // The checker ends the test program at the first rule the model breaks, naming the rule.
    QAbstractItemModelTester checker(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char* header : {"File Name", "File Size", "File Type", "Modified"})
        model.addColumn(QLatin1String(header));
    model.appendRows(facts({"a.doc", "b.docx"}));
    model.appendRows({});
    model.appendRows(facts({"c.rtf"}));
    model.setAllChecked(true);
    model.setChecked(1, false);
    EXPECT_TRUE(model.setData(model.index(2, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(model.setData(model.index(2, 1), Qt::Checked, Qt::CheckStateRole));
    model.clear();
    model.appendRows(facts({"d.htm"}));

    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.text(0, 0), QStringLiteral("d.htm"));
}

} // namespace
} // namespace plainquill
