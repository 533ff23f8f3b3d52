#include "stress/xlat/code_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "store/tests/temp_folder.h"

namespace vl::xlat {
namespace {

namespace fs = std::filesystem;

CodeTable table_from(std::string_view text) {
    CodeTable table;
    table.fromWide.fill('?');
    apply_code_table_text(text, table);
    return table;
}

// The units the text maps, as unit -> byte, in unit order.
std::vector<std::pair<int, int>> mappings(std::string_view text) {
    const CodeTable table = table_from(text);
    std::vector<std::pair<int, int>> result;
    for (int unit = 0; unit < 65536; ++unit)
        if (table.fromWide[unit] != '?') result.emplace_back(unit, table.fromWide[unit]);
    return result;
}

class CodeTableFileTest : public vl::test::TempFolderTest {
protected:
    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
};

TEST(CodeTableText, ReadsWellFormedLines) {
    using M = std::vector<std::pair<int, int>>;
    EXPECT_EQ(mappings("0xC0\t0x0410\tCYRILLIC CAPITAL LETTER A"), (M{{0x410, 0xC0}}));
    EXPECT_EQ(mappings("0XC0   \t 0X0410 x"), (M{{0x410, 0xC0}}));
    EXPECT_EQ(mappings("0x1 0x2 c"), (M{{0x2, 0x1}}));  // nine characters are enough
    EXPECT_EQ(mappings("0x00000000C0 0x410 x"), (M{{0x410, 0xC0}}));
    EXPECT_EQ(mappings("0xc1\t0xfffF\t#\r\n0xC2\t0x0000\t#\n"), (M{{0x0, 0xC2}, {0xFFFF, 0xC1}}));
    // A later line for the same unit wins.
    EXPECT_EQ(mappings("0xC0\t0x0410\t#\n0xC1\t0x0410\t#\n"), (M{{0x410, 0xC1}}));
}

TEST(CodeTableText, IgnoresMalformedLines) {
    for (const char* line : {
             "0xC0\t0x0410",            // no comment after the unit
             "0xC0\t0x0410\t",          // a blank but nothing after it
             "0x1 0x2 ",                // shorter than nine characters
             "0xC0\t\t\t\t\t\t",        // no unit
             "0xC00x0410\tcomment",     // no blank after the byte
             " 0xC0\t0x0410\tx",        // leading blank
             "C0\t0x0410\tcomment",     // no prefix
             "0xC0\t0410\tcomment",
             "0x\t0x0410\tcomment",     // no digits
             "0xG0\t0x0410\tcomment",
             "0xC0\t0x04_10\tcomment",
             "0x100\t0x0410\tcomment",  // byte out of range
             "0xC0\t0x10000\tcomment",  // unit out of range
             "0xC0\t0x100000410\tcomment",   // beyond 32 bits; its low bits would be 0x410
             "0x1000000C0\t0x0410\tcomment",
             "-0xC0\t0x0410\tcomment",
         })
        EXPECT_TRUE(mappings(line).empty()) << line;
}

TEST_F(CodeTableFileTest, SingleLineTable) {
    write("cp7.txt", "0xC0\t0x0410\tCYRILLIC CAPITAL LETTER A\n");
    const auto table = load_code_table_file(folder / "cp7.txt", 7);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->id, 7);
    EXPECT_EQ(table->fromWide[0x410], 0xC0);
    EXPECT_EQ(table->fromWide['A'], '?');
    EXPECT_EQ(table->toWide[0xC0], u'\u0410');
    EXPECT_EQ(table->toWide['?'], u'\0');  // the smallest unit that converts to "?"
    EXPECT_EQ(table->toWide['A'], u'A');
    EXPECT_EQ(table->toWide[0xC1], char16_t(0xC1));
}

TEST_F(CodeTableFileTest, MissingFileIsLookedForAgain) {
    CodeTableList tables(folder);
    EXPECT_EQ(tables.get(5), nullptr);
    write("cp5.txt", "0xC0\t0x0410\tA\n");
    const CodeTable* table = tables.get(5);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->toWide[0xC0], u'\u0410');
    fs::remove(folder / "cp5.txt");
    EXPECT_EQ(tables.get(5), table);  // a loaded table stays
}

TEST_F(CodeTableFileTest, ConcurrentRequestsAllGetATable) {
    write("cp9.txt", "0xC0\t0x0410\tA\n");
    CodeTableList tables(folder);
    std::vector<std::thread> threads;
    std::atomic<int> found{0};
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] {
            for (int k = 0; k < 50; ++k)
                if (const CodeTable* t = tables.get(9); t && t->fromWide[0x410] == 0xC0) ++found;
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(found, 200);
}

}  // namespace
}  // namespace vl::xlat
