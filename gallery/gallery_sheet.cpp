#include "gallery/gallery_sheet.h"

#include "gallery/render_control.h"
#include "platform/raster/qimage_bridge.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace plainquill::gallery {

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 10;
const QColor kBackground(0xE8, 0xE8, 0xE8);

struct Cell {
    QString label;
    QImage image;
};

struct Row {
    QString title;
    bool heading = false; // a class name above its rows
    std::vector<Cell> cells;
};

// The looks rendered and grouped into rows, in the catalogue's order.
std::vector<Row> renderRows(const contracts::ControlClasses& classes, const std::vector<ClassLooks>& catalogue,
                            const Presentation& presentation, std::vector<std::string>& failures)
{
    std::vector<Row> rows;
    for (const ClassLooks& entry : catalogue) {
        rows.push_back({QString::fromStdString(entry.className), true, {}});
        for (const Look& look : entry.looks) {
            const QString group = QString::fromStdString(look.group);
            if (rows.back().heading || rows.back().title != group)
                rows.push_back({group, false, {}});
            auto result =
                renderControl(classes, entry.className, look.size, look.stored, look.state, presentation);
            if (auto* failure = std::get_if<RenderFailure>(&result)) {
                failures.push_back(group.toStdString() + ", " + look.label + ": " + failure->message);
                continue;
            }
            QImage image = raster::toQImage(std::get<contracts::Bitmap>(result));
            image.setDevicePixelRatio(presentation.scale); // laid out in logical pixels
            rows.back().cells.push_back({QString::fromStdString(look.label), image});
        }
    }
    return rows;
}

int cellWidth(const Cell& cell, const QFontMetrics& metrics)
{
    return std::max(qRound(cell.image.deviceIndependentSize().width()), metrics.horizontalAdvance(cell.label));
}

int rowHeight(const Row& row, const QFontMetrics& metrics)
{
    int tallest = 0;
    for (const Cell& cell : row.cells)
        tallest = std::max(tallest, qRound(cell.image.deviceIndependentSize().height()));
    return row.heading ? metrics.height() + kGap : metrics.height() + tallest + kGap;
}

QSize sheetSize(const std::vector<Row>& rows, const QFontMetrics& metrics, int titleWidth)
{
    int width = 0, height = kMargin;
    for (const Row& row : rows) {
        int rowWidth = kMargin + titleWidth + kGap;
        for (const Cell& cell : row.cells)
            rowWidth += cellWidth(cell, metrics) + kGap;
        width = std::max({width, rowWidth, kMargin + metrics.horizontalAdvance(row.title)});
        height += rowHeight(row, metrics);
    }
    return {width + kMargin, height + kMargin};
}

void paintRow(QPainter& painter, const Row& row, const QFontMetrics& metrics, int titleWidth, int top)
{
    if (row.heading) {
        QFont bold = painter.font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(kMargin, top + metrics.ascent(), row.title);
        painter.setFont(QFont());
        return;
    }
    painter.drawText(kMargin, top + metrics.height() + metrics.ascent(), row.title);
    int x = kMargin + titleWidth + kGap;
    for (const Cell& cell : row.cells) {
        painter.drawText(x, top + metrics.ascent(), cell.label);
        painter.drawImage(x, top + metrics.height(), cell.image);
        x += cellWidth(cell, metrics) + kGap;
    }
}

} // namespace

Sheet renderSheet(const contracts::ControlClasses& classes, const std::vector<ClassLooks>& catalogue,
                  const Presentation& presentation)
{
    Sheet sheet;
    const std::vector<Row> rows = renderRows(classes, catalogue, presentation, sheet.failures);
    const QFontMetrics metrics{QFont()};
    int titleWidth = 0;
    for (const Row& row : rows)
        if (!row.heading)
            titleWidth = std::max(titleWidth, metrics.horizontalAdvance(row.title));

    sheet.image = QImage(sheetSize(rows, metrics, titleWidth) * presentation.scale, QImage::Format_RGB32);
    sheet.image.setDevicePixelRatio(presentation.scale);
    sheet.image.fill(kBackground);
    QPainter painter(&sheet.image);
    painter.setPen(Qt::black);
    int top = kMargin;
    for (const Row& row : rows) {
        paintRow(painter, row, metrics, titleWidth, top);
        top += rowHeight(row, metrics);
    }
    return sheet;
}

} // namespace plainquill::gallery
