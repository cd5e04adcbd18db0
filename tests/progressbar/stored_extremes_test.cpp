// Every stored property of the bar at the far ends of its 32 bits, saved as the stored form holds
// it (property stream, JSON text) and loaded into a new bar: nothing is narrowed on the way.
#include "bar_fixture.h"

#include "platform/host/property_stream.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

namespace plainquill::progressbar {
namespace {

using namespace contracts;
using testing::Bar;

constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kLeast = std::numeric_limits<std::int32_t>::min();

struct Extreme {
    const char* name;
    const char* key;
    std::function<void(XP_ProgressBar&)> set;
    std::int64_t stored; // in the stream, and in the stream of the reloaded bar
};

void PrintTo(const Extreme& e, std::ostream* out) { *out << e.name; }

class StoredExtremes : public ::testing::TestWithParam<Extreme> {};

TEST_P(StoredExtremes, SurviveTheStoredFormUnnarrowed)
{
    const Extreme& e = GetParam();
    Bar saved({60, 12}, {}, e.set);
    const QString key = QString::fromLatin1(e.key).toLower();
    const QByteArray json = QJsonDocument(QJsonObject::fromVariantMap(host::writePropertyStream(saved.host.save())))
                                .toJson();
    const QVariantMap reread = QJsonDocument::fromJson(json).object().toVariantMap();
    EXPECT_EQ(reread.value(key).toLongLong(), e.stored) << json.toStdString();

    host::HeadlessHost again(std::make_unique<XP_ProgressBar>(), {.size = {60, 12}});
    again.load(host::readPropertyStream(reread));
    EXPECT_TRUE(again.errors().empty()) << again.errors().front();
    EXPECT_EQ(host::writePropertyStream(again.save()).value(key).toLongLong(), e.stored) << "narrowed when read";
}

INSTANTIATE_TEST_SUITE_P(
    EachProperty, StoredExtremes,
    ::testing::Values(
        Extreme{"Max_40000", "Max", [](XP_ProgressBar& b) { b.SetMax(40000); }, 40000},
        Extreme{"Max_highest", "Max", [](XP_ProgressBar& b) { b.SetMax(kMost); }, kMost},
        Extreme{"Max_lowest", "Max", [](XP_ProgressBar& b) { b.SetMax(kLeast); }, kLeast},
        Extreme{"Min_minus_40000", "Min", [](XP_ProgressBar& b) { b.SetMin(-40000); }, -40000},
        Extreme{"Min_40000", "Min", [](XP_ProgressBar& b) { b.SetMin(40000); }, 40000},
        Extreme{"Min_lowest", "Min", [](XP_ProgressBar& b) { b.SetMin(kLeast); }, kLeast},
        Extreme{"Value_40000_of_40000", "Value", [](XP_ProgressBar& b) { b.SetMax(40000); b.SetValue(40000); }, 40000},
        Extreme{"Value_minus_40000", "Value", [](XP_ProgressBar& b) { b.SetValue(-40000); }, -40000},
        Extreme{"Orientation_lowest", "Orientation", [](XP_ProgressBar& b) { b.SetOrientation(kLeast); }, kLeast},
        Extreme{"Scrolling_highest", "Scrolling", [](XP_ProgressBar& b) { b.SetScrolling(kMost); }, kMost},
        Extreme{"BrushStyle_highest", "BrushStyle", [](XP_ProgressBar& b) { b.SetBrushStyle(kMost); }, kMost},
        Extreme{"Color_white", "Color", [](XP_ProgressBar& b) { b.SetColor(0xFFFFFF); }, 0xFFFFFF}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace plainquill::progressbar
