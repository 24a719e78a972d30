#include "store/Cp1252.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(Cp1252, ConvertsAndMarksWhatItCannotStore) {
    const struct {
        const char* utf8;
        const char* stored;
        bool reversible;
    } rows[] = {
        {"Porto Cervo", "Porto Cervo", true},
        {"Perù: città", "Per\xF9: citt\xE0", true},
        {"€ 5 – “ok”", "\x80 5 \x96 \x93ok\x94", true},
        {"日本", "??", false},
        {"a\xF0\x9F\x8C\x8A"
         "b",
         "a?b", false},                  // emoji outside the code page
        {"\xC3", "?", false},            // sequence cut short at the end
        {"\xC0\xAF", "??", false},       // overlong form of '/'
        {"\xED\xA0\x80", "???", false},  // a surrogate
        {"\xC2\x85", "?", false},        // a C1 control the code page lacks
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.stored);
        if (row.reversible) {
            EXPECT_EQ(Cp1252ToUtf8(row.stored), row.utf8);
        }
    }
}

TEST(Cp1252, EveryByteSurvivesTheWayBack) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

}  // namespace
}  // namespace velmar
