#include "app/window/form_loader.h"

#include "app/window/caption_frame.h"
#include "app/window/path_list_widget.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QTreeView>

#include <functional>
#include <stdexcept>

namespace plainquill {

namespace {

[[noreturn]] void malformed(const QString& why)
{
    throw std::runtime_error("malformed window layout: " + why.toStdString());
}

class Twips {
public:
    explicit Twips(int perPixel) : m_perPixel(perPixel > 0 ? perPixel : 15) {}
    int px(const QJsonValue& twips) const { return twips.toInt() / m_perPixel; }
    QRect rect(const QJsonArray& box) const
    {
        if (box.size() != 4)
            malformed(QStringLiteral("a rectangle needs left, top, width, height"));
        return QRect(px(box[0]), px(box[1]), px(box[2]), px(box[3]));
    }

private:
    int m_perPixel;
};

QWidget* makeStandardControl(const QString& kind, const QJsonObject& entry, QWidget* parent)
{
    const QString caption = entry.value(QLatin1String("caption")).toString();
    if (kind == QLatin1String("label"))
        return new QLabel(caption, parent);
    if (kind == QLatin1String("textbox"))
        return new QLineEdit(parent);
    if (kind == QLatin1String("frame"))
        return new CaptionFrame(caption, parent);
    if (kind == QLatin1String("listbox")) {
        if (entry.value(QLatin1String("acceptDrops")).toBool())
            return new PathListWidget(parent);
        return new QListWidget(parent);
    }
    if (kind == QLatin1String("listview")) {
        auto* table = new QTreeView(parent);
        table->setRootIsDecorated(false);
        table->setItemsExpandable(false);
        table->setUniformRowHeights(true);
        table->setAllColumnsShowFocus(true);
        table->header()->setStretchLastSection(false);
        return table;
    }
    if (kind == QLatin1String("checkbox")) {
        auto* box = new QCheckBox(caption, parent);
        box->setChecked(entry.value(QLatin1String("value")).toInt() == 1);
        return box;
    }
    if (kind == QLatin1String("option")) {
        auto* option = new QRadioButton(caption, parent);
        option->setChecked(entry.value(QLatin1String("value")).toBool());
        return option;
    }
    malformed(QStringLiteral("unknown control kind ") + kind);
}

QRect lineRect(const Twips& twips, const QJsonObject& entry)
{
    const QJsonArray from = entry.value(QLatin1String("from")).toArray();
    const QJsonArray to = entry.value(QLatin1String("to")).toArray();
    if (from.size() != 2 || to.size() != 2)
        malformed(QStringLiteral("a line needs two points"));
    const QPoint a(twips.px(from[0]), twips.px(from[1]));
    const QPoint b(twips.px(to[0]), twips.px(to[1]));
    // One pixel wide, end point included so the box's corners meet.
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()) + 1, std::abs(b.y() - a.y()) + 1};
}

// The order Tab walks through the controls; the rest keep the order they were made in, after these.
void applyTabOrder(const QJsonArray& names, const LoadedForm& loaded)
{
    QWidget* previous = nullptr;
    for (const QJsonValue& value : names) {
        QWidget* widget = loaded.widgets.value(value.toString());
        if (!widget)
            malformed(QStringLiteral("the tab order names an unknown control ") + value.toString());
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// One control of the stored list, made inside its parent and placed.
void addControl(QWidget& window, const Twips& twips, const QJsonObject& entry, DrawnControlFactory& factory,
                LoadedForm& loaded)
{
    const QString name = entry.value(QLatin1String("name")).toString();
    const QString kind = entry.value(QLatin1String("kind")).toString();
    const QString parentName = entry.value(QLatin1String("parent")).toString();
    QWidget* parent = parentName.isEmpty() ? &window : loaded.widgets.value(parentName);
    if (!parent)
        malformed(name + QStringLiteral(" names an unknown parent ") + parentName);

    QWidget* widget = nullptr;
    if (kind == QLatin1String("drawn")) {
        const DrawnControl control = factory.create(entry.value(QLatin1String("class")).toString(),
                                                    entry.value(QLatin1String("properties")).toObject().toVariantMap(),
                                                    parent);
        loaded.drawn.insert(name, control);
        widget = control.widget;
    } else {
        widget = makeStandardControl(kind, entry, parent);
    }
    widget->setObjectName(name);
    widget->setGeometry(twips.rect(entry.value(QLatin1String("rect")).toArray()));
    if (entry.contains(QLatin1String("enabled")))
        widget->setEnabled(entry.value(QLatin1String("enabled")).toBool());
    if (entry.contains(QLatin1String("toolTip")))
        widget->setToolTip(entry.value(QLatin1String("toolTip")).toString());
    loaded.widgets.insert(name, widget);
}

void addLines(const Twips& twips, const QJsonArray& lines, LoadedForm& loaded)
{
    for (const QJsonValue& value : lines) {
        const QJsonObject entry = value.toObject();
        loaded.lines.insert(entry.value(QLatin1String("name")).toString(), lineRect(twips, entry));
    }
}

} // namespace

LoadedForm loadForm(QWidget& window, const QByteArray& layoutJson, DrawnControlFactory& factory)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(layoutJson, &error);
    if (document.isNull())
        malformed(error.errorString());
    const QJsonObject form = document.object();
    const Twips twips(form.value(QLatin1String("twipsPerPixel")).toInt());

    window.setObjectName(form.value(QLatin1String("name")).toString());
    window.setWindowTitle(form.value(QLatin1String("caption")).toString());
    const QJsonArray size = form.value(QLatin1String("clientSize")).toArray();
    window.setFixedSize(twips.px(size.at(0)), twips.px(size.at(1)));

    LoadedForm loaded;
    for (const QJsonValue& value : form.value(QLatin1String("controls")).toArray())
        addControl(window, twips, value.toObject(), factory, loaded);
    addLines(twips, form.value(QLatin1String("lines")).toArray(), loaded);
    applyTabOrder(form.value(QLatin1String("tabOrder")).toArray(), loaded);
    return loaded;
}

// Lines are drawn rather than made of widgets: a widget is an object a screen reader finds, and a
// line has nothing to tell it.
void paintLines(QWidget& window, const LoadedForm& form)
{
    QPainter painter(&window);
    for (const QRect& line : form.lines)
        painter.fillRect(line, Qt::black);
}

QByteArray storedForm1Layout()
{
    QFile file(QStringLiteral(":/forms/form1.json"));
    if (!file.open(QIODevice::ReadOnly))
        malformed(QStringLiteral("the stored layout is missing from the program"));
    return file.readAll();
}

} // namespace plainquill
