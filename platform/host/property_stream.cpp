#include "platform/host/property_stream.h"

#include "platform/raster/qimage_bridge.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

#include <cmath>

namespace plainquill::host {

using namespace contracts;

namespace {

[[noreturn]] void unreadable(const QString& key, const QString& why)
{
    throw PropertyTypeError("stored property \"" + key.toStdString() + "\": " + why.toStdString());
}

FontRef readFont(const QVariantMap& object)
{
    FontDescription font;
    font.face = object.value(QStringLiteral("face"), QString::fromStdString(font.face)).toString().toStdString();
    font.pointSize = object.value(QStringLiteral("size"), font.pointSize).toDouble();
    font.bold = object.value(QStringLiteral("bold")).toBool();
    font.italic = object.value(QStringLiteral("italic")).toBool();
    font.underline = object.value(QStringLiteral("underline")).toBool();
    font.strikethrough = object.value(QStringLiteral("strikethrough")).toBool();
    return makeFont(font);
}

// An icon from an image with transparency: alpha 0 is the mask (white), the rest its colours.
Icon iconFrom(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Bitmap mask = Bitmap::create({image.width(), image.height()}, Bitmap::Format::Monochrome);
    Bitmap colour = Bitmap::create({image.width(), image.height()});
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const bool transparent = qAlpha(p) == 0;
            mask.setPixel(x, y, transparent ? kWhite : kBlack);
            colour.setPixel(x, y, transparent ? kBlack : rgb(qRed(p), qGreen(p), qBlue(p)));
        }
    return Icon::createIndirect({mask, colour});
}

QImage pictureImage(const QString& key, const QVariantMap& object, const QString& folder)
{
    QImage image;
    if (object.contains(QStringLiteral("png"))) {
        image.loadFromData(QByteArray::fromBase64(object.value(QStringLiteral("png")).toByteArray()), "PNG");
    } else {
        QString file = object.value(QStringLiteral("file")).toString();
        if (!folder.isEmpty() && QDir::isRelativePath(file) && !file.startsWith(u':'))
            file = QDir(folder).filePath(file);
        image.load(file);
    }
    if (image.isNull())
        unreadable(key, QStringLiteral("the picture cannot be read"));
    return image;
}

PictureRef readPicture(const QString& key, const QVariantMap& object, const QString& folder)
{
    const QString kind = object.value(QStringLiteral("kind"), QStringLiteral("bitmap")).toString();
    if (kind == u"none")
        return Picture::empty();
    const QImage image = pictureImage(key, object, folder);
    if (kind == u"icon")
        return Picture::fromIcon(iconFrom(image));
    if (kind == u"bitmap")
        return Picture::fromBitmap(raster::fromQImage(image));
    unreadable(key, QStringLiteral("unknown picture kind ") + kind);
}

PropertyValue readObject(const QString& key, const QVariantMap& object, const QString& folder)
{
    const QString type = object.value(QStringLiteral("type")).toString();
    if (type == u"font")
        return readFont(object);
    if (type == u"picture")
        return readPicture(key, object, folder);
    unreadable(key, QStringLiteral("unknown object type ") + type);
}

PropertyValue readNumber(const QVariant& value)
{
    const double number = value.toDouble();
    if (number == std::floor(number) && std::abs(number) < 9.0e15)
        return static_cast<std::int64_t>(number);
    return number;
}

PropertyValue readValue(const QString& key, const QVariant& value, const QString& folder)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return PictureRef{}; // an object set to nothing (read as nothing for fonts too)
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return static_cast<std::int64_t>(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return readNumber(value);
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QVariantMap:
        return readObject(key, value.toMap(), folder);
    default:
        unreadable(key, QString::fromLatin1(value.typeName()) + QStringLiteral(" values cannot be stored"));
    }
}

QString pngBase64(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

QVariant writePicture(const PictureRef& picture)
{
    if (!picture)
        return QVariant::fromValue(nullptr);
    QVariantMap object{{QStringLiteral("type"), QStringLiteral("picture")}};
    if (const Bitmap* bitmap = picture->bitmap()) {
        object.insert(QStringLiteral("kind"), QStringLiteral("bitmap"));
        object.insert(QStringLiteral("png"), pngBase64(raster::toQImage(*bitmap)));
    } else if (const Icon* icon = picture->icon()) {
        QImage image = raster::toQImage(icon->colourBitmap()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (icon->maskBitmap().pixel(x, y) == kWhite)
                    image.setPixel(x, y, qRgba(0, 0, 0, 0));
        object.insert(QStringLiteral("kind"), QStringLiteral("icon"));
        object.insert(QStringLiteral("png"), pngBase64(image));
    } else {
        object.insert(QStringLiteral("kind"), QStringLiteral("none"));
    }
    return object;
}

QVariant writeFont(const FontRef& font)
{
    if (!font)
        return QVariant::fromValue(nullptr);
    const FontDescription& d = font->Description();
    return QVariantMap{{QStringLiteral("type"), QStringLiteral("font")},
                       {QStringLiteral("face"), QString::fromStdString(d.face)},
                       {QStringLiteral("size"), d.pointSize},
                       {QStringLiteral("bold"), d.bold},
                       {QStringLiteral("italic"), d.italic},
                       {QStringLiteral("underline"), d.underline},
                       {QStringLiteral("strikethrough"), d.strikethrough}};
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

QVariant writeValue(const PropertyValue& value)
{
    return std::visit(Overloaded{
                          [](std::monostate) { return QVariant(); },
                          [](std::int64_t v) { return QVariant(static_cast<qlonglong>(v)); },
                          [](double v) { return QVariant(v); },
                          [](bool v) { return QVariant(v); },
                          [](const std::string& v) { return QVariant(QString::fromStdString(v)); },
                          [](ColourValue v) { return QVariant(static_cast<qlonglong>(v.value)); },
                          [](const FontRef& v) { return writeFont(v); },
                          [](const PictureRef& v) { return writePicture(v); },
                      },
                      value);
}

} // namespace

PropertyBag readPropertyStream(const QVariantMap& stream, const QString& pictureFolder)
{
    PropertyBag bag;
    for (auto it = stream.begin(); it != stream.end(); ++it)
        bag.WriteProperty(it.key().toStdString(), readValue(it.key(), it.value(), pictureFolder));
    return bag;
}

QVariantMap writePropertyStream(const PropertyBag& bag)
{
    QVariantMap stream;
    for (const PropertyBag::Entry& entry : bag.Entries()) {
        const QVariant value = writeValue(entry.value);
        if (value.isValid())
            stream.insert(QString::fromStdString(entry.name).toLower(), value);
    }
    return stream;
}

} // namespace plainquill::host
