// Property streams of the stored form become property bags, and bags written by a control come
// back as streams that read the same, through JSON text and back.
#include "platform/host/property_stream.h"

#include "platform/raster/qimage_bridge.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace plainquill::host {
namespace {

using namespace contracts;

QVariantMap streamFromJson(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object().toVariantMap();
}

// Through JSON text, as a saved form would go to disk and back.
QVariantMap throughJson(const QVariantMap& stream)
{
    const QByteArray text = QJsonDocument(QJsonObject::fromVariantMap(stream)).toJson();
    return QJsonDocument::fromJson(text).object().toVariantMap();
}

QVariantMap storedPropertiesOf(const QString& controlName)
{
    QFile file(QStringLiteral(PLAINQUILL_FORM1_JSON));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray controls = QJsonDocument::fromJson(file.readAll()).object().value(u"controls").toArray();
    for (const QJsonValue& c : controls)
        if (c.toObject().value(u"name").toString() == controlName)
            return c.toObject().value(u"properties").toObject().toVariantMap();
    ADD_FAILURE() << "no control " << controlName.toStdString();
    return {};
}

TEST(PropertyStream, ReadsTheStoredFormsControls)
{
    const PropertyBag bar = readPropertyStream(storedPropertiesOf(QStringLiteral("XP_ProgressBar1")));
    EXPECT_EQ(bar.ReadInteger("Scrolling", 0), 1);
    EXPECT_EQ(bar.ReadColour("Color", 0x8000000D), 0xFFFFFFu);
    EXPECT_EQ(bar.ReadInteger("BrushStyle", 4), 0);
    EXPECT_EQ(bar.ReadInteger("Max", 100), 100); // not stored: the default

    const QString formFolder = QFileInfo(QStringLiteral(PLAINQUILL_FORM1_JSON)).path();
    const PropertyBag removeAll =
        readPropertyStream(storedPropertiesOf(QStringLiteral("chameleonButton1")), formFolder);
    EXPECT_EQ(removeAll.ReadString("TX", ""), "Remove All");
    EXPECT_FALSE(removeAll.ReadBoolean("ENAB", true));
    EXPECT_EQ(removeAll.ReadColour("BCOL", 0), 0xD8E9ECu);
    EXPECT_EQ(removeAll.ReadPicture("PICN", nullptr)->pixelSize(), (Size{16, 16}));

    const PropertyBag start = readPropertyStream(storedPropertiesOf(QStringLiteral("isButton1")));
    EXPECT_EQ(start.ReadString("Caption", "isButton"), "Start");
    EXPECT_FALSE(start.ReadBoolean("RoundedBordersByTheme", true));
}

TEST(PropertyStream, JsonValuesBecomeTypedValues)
{
    const PropertyBag bag = readPropertyStream(streamFromJson(R"({
        "max": 250, "color": 2147483661, "size": 8.25, "showtext": true, "caption": "Help",
        "image": null,
        "font": {"type": "font", "face": "Tahoma", "size": 9.75, "bold": true}
    })"));
    EXPECT_EQ(bag.ReadInteger("Max", 0), 250);
    EXPECT_EQ(bag.ReadColour("Color", 0), 0x8000000Du);
    EXPECT_EQ(bag.ReadInteger("Color", 0), -2147483635);
    EXPECT_DOUBLE_EQ(bag.ReadDouble("Size", 0), 8.25);
    EXPECT_TRUE(bag.ReadBoolean("ShowText", false));
    EXPECT_EQ(bag.ReadString("Caption", ""), "Help");
    EXPECT_TRUE(bag.Contains("Image"));
    EXPECT_EQ(bag.ReadPicture("Image", Picture::empty()), nullptr);
    const FontRef font = bag.ReadFont("Font", nullptr);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Description(), (FontDescription{"Tahoma", 9.75, true, false, false, false}));
}

TEST(PropertyStream, WrittenBagsReadBackTheSame)
{
    Bitmap pixels = Bitmap::create({3, 2});
    pixels.setPixel(2, 1, 0x123456);
    Bitmap mask = Bitmap::create({2, 2}, Bitmap::Format::Monochrome);
    mask.setPixel(0, 0, kWhite);
    Bitmap colours = Bitmap::create({2, 2});
    colours.setPixel(1, 1, 0x00FF00);

    PropertyBag bag;
    bag.WriteProperty("Max", std::int64_t{-3});
    bag.WriteProperty("FontSize", 8.25);
    bag.WriteProperty("ShowText", true);
    bag.WriteProperty("Caption", std::string("Gathering Required Information"));
    bag.WriteProperty("Color", ColourValue{0x8000000D});
    bag.WriteProperty("Font", makeFont({"Tahoma", 8.25, false, true, false, true}));
    bag.WriteProperty("Image", Picture::fromBitmap(pixels));
    bag.WriteProperty("MouseIcon", Picture::fromIcon(Icon::createIndirect({mask, colours})));
    bag.WriteProperty("PictureOver", Picture::empty());
    bag.WriteProperty("PictureNormal", PictureRef{});

    const QVariantMap stream = writePropertyStream(bag);
    EXPECT_TRUE(stream.contains(QStringLiteral("showtext"))); // stored forms keep keys in lower case
    const PropertyBag reread = readPropertyStream(throughJson(stream));
    for (const PropertyBag::Entry& entry : bag.Entries())
        EXPECT_TRUE(sameValue(reread.ReadProperty(entry.name), entry.value)) << entry.name;
    EXPECT_EQ(reread.ReadColour("Color", 0), 0x8000000Du);
    EXPECT_EQ(reread.ReadPicture("PictureOver", nullptr)->Type(), PictureType::None);
    EXPECT_EQ(reread.ReadPicture("PictureNormal", Picture::empty()), nullptr);
    const PictureRef icon = reread.ReadPicture("MouseIcon", nullptr);
    ASSERT_EQ(icon->Type(), PictureType::Icon);
    EXPECT_EQ(icon->icon()->maskBitmap().pixel(0, 0), kWhite);
    EXPECT_EQ(icon->icon()->maskBitmap().pixel(1, 1), kBlack);
    EXPECT_EQ(icon->icon()->colourBitmap().pixel(1, 1), 0x00FF00u);
}

TEST(PropertyStream, PicturesComeFromFiles)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(0x11, 0x22, 0x33));
    const QString folder = QDir::tempPath();
    const QString name = QStringLiteral("plainquill-property-stream-%1.png").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(image.save(QDir(folder).filePath(name)));
    QVariantMap stream{{QStringLiteral("picn"), QVariantMap{{QStringLiteral("type"), QStringLiteral("picture")},
                                                             {QStringLiteral("file"), name}}}};
    const PictureRef picture = readPropertyStream(stream, folder).ReadPicture("PICN", nullptr);
    QFile::remove(QDir(folder).filePath(name));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixelSize(), (Size{4, 2}));
    EXPECT_EQ(picture->bitmap()->pixel(3, 1), 0x332211u);
}

TEST(PropertyStream, RefusesWhatABagCannotHold)
{
    EXPECT_THROW(readPropertyStream(streamFromJson(R"({"list": [1, 2]})")), PropertyTypeError);
    EXPECT_THROW(readPropertyStream(streamFromJson(R"({"x": {"type": "sound"}})")), PropertyTypeError);
    EXPECT_THROW(readPropertyStream(streamFromJson(R"({"p": {"type": "picture", "file": "/nonexistent.png"}})")),
                 PropertyTypeError);
}

} // namespace
} // namespace plainquill::host
