// The Open With message between a second start and the running window, and where it is sent.
#include "app/startup/open_with_message.h"

#include <gtest/gtest.h>

#include <QtEndian>

namespace plainquill {
namespace {

using Paths = std::vector<std::filesystem::path>;

QByteArray number(std::uint32_t value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    return QByteArray(bytes, 4);
}

const QByteArray kHeader("PLAINQUILL-OPEN/1\n");

TEST(OpenWithMessage, EveryPathArrivesByteForByte)
{
    const Paths cases[] = {
        {"/home/u/a.docx"},
        {"/home/u/two\nlines.doc", "/home/u/folder/"},
        {std::string("/home/u/\xff\xfe latin1 \xe9.rtf"), "/x"},
        {"/home/u/ spaces and : colons &.htm", "/tmp/\xe4\xb8\xad\xe6\x96\x87.html"},
    };
    for (const Paths& paths : cases) {
        const ParsedOpenWith parsed = parseOpenWithMessage(encodeOpenWithMessage(paths));
        EXPECT_EQ(parsed.state, MessageState::Complete);
        EXPECT_EQ(parsed.paths, paths);
    }
}

TEST(OpenWithMessage, APartOfAMessageWaitsForTheRest)
{
    const QByteArray whole = encodeOpenWithMessage({"/a/b.doc", "/c\nd/"});
    for (qsizetype size = 0; size < whole.size(); ++size) {
        const ParsedOpenWith parsed = parseOpenWithMessage(whole.left(size));
        EXPECT_EQ(parsed.state, MessageState::Incomplete) << size;
        EXPECT_TRUE(parsed.paths.empty());
    }
}

TEST(OpenWithMessage, WhatCanNeverBeAMessageIsRefusedAndQueuesNothing)
{
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"another header", QByteArray("HELLO\n") + number(1) + number(2) + "/a"},
        {"a plain path list", QByteArray("/home/u/a.docx\n")},
        {"no paths", kHeader + number(0)},
        {"an empty path", kHeader + number(1) + number(0)},
        {"a relative path", kHeader + number(1) + number(6) + "a.docx"},
        {"a NUL in a path", kHeader + number(1) + number(4) + QByteArray("/a\0b", 4)},
        {"bytes after the end", kHeader + number(1) + number(2) + "/a" + "x"},
        {"a path longer than any", kHeader + number(1) + number(0x7fffffff)},
        {"more paths than any request", kHeader + number(0xffffffff)},
        {"one good path, one bad", kHeader + number(2) + number(2) + "/a" + number(1) + "b"},
    };
    for (const auto& each : cases) {
        const ParsedOpenWith parsed = parseOpenWithMessage(each.bytes);
        EXPECT_EQ(parsed.state, MessageState::Malformed) << each.what;
        EXPECT_TRUE(parsed.paths.empty()) << each.what;
    }
}

TEST(OpenWithMessage, EachUserAndDisplayHasItsOwnSocketInTheRuntimeFolder)
{
    const struct {
        unsigned user;
        const char* display;
        const char* path;
    } cases[] = {
        {1000, ":0", "/run/user/1000/plainquill-1000-_0.socket"},
        {1000, ":1.0", "/run/user/1000/plainquill-1000-_1.0.socket"},
        {1001, ":0", "/run/user/1000/plainquill-1001-_0.socket"},
        {1000, "wayland-0", "/run/user/1000/plainquill-1000-wayland-0.socket"},
        {1000, "../../etc/x y", "/run/user/1000/plainquill-1000-.._.._etc_x_y.socket"},
        {1000, "", "/run/user/1000/plainquill-1000-.socket"},
    };
    for (const auto& each : cases)
        EXPECT_EQ(openWithSocketPath("/run/user/1000", each.user, QString::fromUtf8(each.display)),
                  QString::fromUtf8(each.path))
            << each.display;
}

} // namespace
} // namespace plainquill
