#include "store/Cp1252.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(Cp1252, ConvertsAndMarksWhatItCannotStore) {
    const struct {
        const char* utf8;
        const char* stored;
    } rows[] = {
        {"Perù € – “ok”", "Per\xF9 \x80 \x96 \x93ok\x94"},
        {"日本", "??"},
        {"a\xF0\x9F\x8C\x8A"
         "b",
         "a?b"},                  // emoji outside the code page
        {"\xC3", "?"},            // sequence cut short at the end
        {"\xC0\xAF", "??"},       // overlong form of '/'
        {"\xED\xA0\x80", "???"},  // a surrogate
        {"\xC2\x85", "?"},        // a C1 control the code page lacks
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.stored);
    }
    EXPECT_EQ(Cp1252ToUtf8(rows[0].stored), rows[0].utf8);
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);  // every byte survives the way back
}

}  // namespace
}  // namespace velmar
