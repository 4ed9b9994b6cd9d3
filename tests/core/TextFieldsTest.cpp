#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "state/TextFields.h"

namespace {

struct FieldCase {
    const char* Separator;
    const char* Text;
    int Index;
    const char* Expected;
};

TEST(TextFieldsTest, FieldAt) {
    const FieldCase cases[] = {
        {"\t", "A\tB\tC", 0, "A"}, {"\t", "A\tB\tC", 1, "B"},     {"\t", "A\tB\tC", 2, "C"},
        {"\t", "A\tB\tC", 3, "C"}, {";", "A;B;C", 5, "C"},        {"\t", "ABC", 0, ""},
        {"\t", "ABC", 2, ""},      {"\t", "A\t", 0, "A"},         {"\t", "A\t", 1, ""},
        {"\t", "\tB", 0, ""},      {"=", "YEAR=1994", 1, "1994"}, {"", "A;B", 0, ""},
        {"::", "a::b", 1, "b"},    {"::", "a::b", 2, ""}, // the longer separator eats one character
        {"::", "a::bcd", 2, "cd"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldAt(c.Separator, c.Text, c.Index), c.Expected)
            << "'" << c.Text << "' index " << c.Index << " sep '" << c.Separator << "'";
}

TEST(TextFieldsTest, FieldNumber) {
    EXPECT_EQ(FieldNumber("Commodore,Spectrum", 1, ","), "Commodore");
    EXPECT_EQ(FieldNumber("Commodore,Spectrum", 2, ","), "Spectrum");
    EXPECT_EQ(FieldNumber("Commodore,Spectrum", 3, ","), "");
    EXPECT_EQ(FieldNumber("Amstrad", 1, ","), "Amstrad");
    EXPECT_EQ(FieldNumber("a,,c", 2, ","), "");
    EXPECT_EQ(FieldNumber("a,,c", 3, ","), "c");
    EXPECT_EQ(FieldNumber("a,b", 1, ""), "");
}

TEST(TextFieldsTest, CountFields) {
    EXPECT_EQ(CountFields("a,b,c", ","), 3);
    EXPECT_EQ(CountFields("a", ","), 1);
    EXPECT_EQ(CountFields("", ","), 1);
    EXPECT_EQ(CountFields("a  b", " "), 2);
    EXPECT_EQ(CountFields("a,,b", ","), 3);
}

TEST(TextFieldsTest, ColumnsAndPadding) {
    EXPECT_EQ(FitColumn("Spectrum", 10), "Spectrum   ");
    EXPECT_EQ(FitColumn("ABCDEFGHIJKLMNOPQRST", 18), "ABCDEFGHIJKLMNOPQ..");
    EXPECT_EQ(FitColumn("ABCDEFGHIJKLMNOPQR", 18), "ABCDEFGHIJKLMNOPQR ");
    EXPECT_EQ(FitColumn("", 3, '.'), "....");
    EXPECT_EQ(PadRight("abc", 3), "abc");
    EXPECT_EQ(PadRight("ab", 3), "ab  ");
    EXPECT_EQ(PadRight("abcd", 3), "abcd");
    EXPECT_EQ(RemoveChar("a;b;;c", ';'), "abc");
}

TEST(TextFieldsTest, ContainsText) {
    EXPECT_TRUE(ContainsText("COMMODORE 64", "COMMODORE"));
    EXPECT_FALSE(ContainsText("Commodore", "commodore"));
    EXPECT_FALSE(ContainsText("", "a"));
    EXPECT_FALSE(ContainsText("a", ""));
    EXPECT_FALSE(ContainsText("NES", "SNES"));
}

TEST(TextFieldsTest, FindText) {
    const std::string list = "Starfighter II\t\r\nMoon Harvest\t\r\nTank Ballet 2\t\r\n";
    EXPECT_EQ(FindText("star", list, false, true, 1), 1);
    EXPECT_EQ(FindText("star", list, true, true, 1), 0);
    EXPECT_EQ(FindText("HARVEST", list, false, true, 1), 23);
    EXPECT_EQ(FindText("Tank Ballet", list, true, true, 1), 33); // a title matches a longer one containing it
    EXPECT_EQ(FindText("moon", list, false, true, 24), 0);       // starts past the only match
    EXPECT_EQ(FindText("", list, false, true, 1), 0);
    EXPECT_EQ(FindText("a much longer pattern than the text", "short", false, true, 1), 0);
    EXPECT_EQ(FindText("\xe9t\xe9", "L'\xc9T\xc9", false, true, 1), 3); // accented letters fold too
    EXPECT_EQ(FindText("aba", "abababa", true, false, 0), 5);           // backward from the end
    EXPECT_EQ(FindText("aba", "abababa", true, false, 4), 3);
    EXPECT_THROW(FindText("a", "a", true, true, 0), std::invalid_argument);
}

TEST(TextFieldsTest, FilesAreFoundWithoutRegardToCase) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("quillon-text-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sub.txt");
    std::ofstream(dir / "Player.INI") << "x";
    std::ofstream(dir / "notes.txt") << "hello";
    EXPECT_EQ(FindFileNoCase(dir.string(), "player.ini"), "Player.INI");
    EXPECT_EQ(FindFileNoCase(dir.string(), "missing.ini"), "");
    const auto txt = ListFiles(dir.string(), "*.TXT");
    EXPECT_EQ(txt, std::vector<std::string>{"notes.txt"}); // the folder named like a file is skipped
    std::ofstream(dir / "README") << "no dot";
    EXPECT_EQ(ListFiles(dir.string(), "*.*"),
              (std::vector<std::string>{"Player.INI", "README", "notes.txt"}));
    EXPECT_EQ(FileSizeOf((dir / "notes.txt").string()), 5);
    EXPECT_EQ(FileSizeOf((dir / "none").string()), -1);
    EXPECT_EQ(LocalPath("QlSave\\sav.sav"), "QlSave/sav.sav");
    EXPECT_EQ(WithBackslash("/tmp"), "/tmp/");
    fs::remove_all(dir);
}

} // namespace
