#include "core/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/test_support.h"

namespace zan {
namespace {

using test::Lines;

Lines AllFields(FieldReader& reader) {
    Lines fields;
    while (!reader.AtEnd()) fields.push_back(reader.ReadField());
    return fields;
}

TEST(FieldReader, SplitsAtCommasAndLineEndsButNotTabsAndHonoursQuotes) {
    const std::pair<const char*, Lines> cases[] = {
        {"a,b\r\nc\r\n", {"a", "b", "c"}},
        {"a\nb\rc", {"a", "b", "c"}},
        // A raw log line comes back whole.
        {"12/06/26\t12:00:00\t1850\t\r\n", {"12/06/26\t12:00:00\t1850\t"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {",x", {"", "x"}},
        {"   padded\r\n", {"padded"}},
        {"\"a,b\",c\r\n", {"a,b", "c"}},
        {"\"line\"\r\nnext", {"line", "next"}},
        {"\"open", {"open"}}};
    for (const auto& [content, fields] : cases) {
        FieldReader reader(content);
        EXPECT_EQ(AllFields(reader), fields) << content;
    }
}

TEST(LineWriter, WritesCrLfLinesByteForByteCreatingOrAppendingAndReadsThemBack) {
    test::TempFolder dir;
    const std::string path = (dir / "out.txt").string();
    LineWriter(path, LineWriter::Mode::Create).WriteLine("old line that is long");
    LineWriter writer(path, LineWriter::Mode::Create);
    writer.WriteLine("Angle\tBeta \t.02");
    writer.Write("no end");
    writer.WriteLine("\xB0 8-bit");
    writer.Close();
    LineWriter(path, LineWriter::Mode::Append).WriteLine("");
    EXPECT_EQ(test::ReadBytes(path), "Angle\tBeta \t.02\r\nno end\xB0 8-bit\r\n\r\n");
    EXPECT_EQ(AllFields(*OpenFieldReader(path)),
              (Lines{"Angle\tBeta \t.02", "no end\xB0 8-bit", ""}));
    // Append also creates a missing file.
    LineWriter((dir / "new.txt").string(), LineWriter::Mode::Append).WriteLine("x");
    EXPECT_EQ(test::ReadBytes(dir / "new.txt"), "x\r\n");
    // Writing after Close fails instead of losing the line.
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_THROW(writer.WriteLine("lost"), std::runtime_error);
}

}  // namespace
}  // namespace zan
