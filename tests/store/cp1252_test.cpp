#include "store/Cp1252.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(Cp1252, ConvertsBothWays) {
    const struct {
        const char* utf8;
        const char* stored;
    } rows[] = {
        {"Porto Cervo", "Porto Cervo"},
        {"Perù: città", "Per\xF9: citt\xE0"},
        {"€ 5 – “ok”", "\x80 5 \x96 \x93ok\x94"},
        {"Œuvre Ÿ", "\x8Cuvre \x9F"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.utf8);
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.stored);
        EXPECT_EQ(Cp1252ToUtf8(row.stored), row.utf8);
    }
}

TEST(Cp1252, UnmappableAndMalformedBecomeQuestionMarks) {
    const struct {
        const char* utf8;
        const char* stored;
    } rows[] = {
        {"日本", "??"},
        {"a\xF0\x9F\x8C\x8A" "b", "a?b"},  // emoji outside the code page
        {"\xC3", "?"},                     // sequence cut short at the end
        {"\xC3(", "?("},                   // lead byte without its continuation
        {"\xC0\xAF", "??"},                // overlong form of '/'
        {"\xED\xA0\x80", "???"},           // a surrogate
        {"\xC2\x85", "?"},                 // a C1 control the code page lacks
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.stored);
    }
}

TEST(Cp1252, EveryByteSurvivesTheWayBack) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, CutCountsCharactersNotUtf8Bytes) {
    EXPECT_EQ(Utf8ToCp1252("èèèè", 3), "\xE8\xE8\xE8");
    EXPECT_EQ(Utf8ToCp1252("ab", 0), "");
}

}  // namespace
}  // namespace velmar
