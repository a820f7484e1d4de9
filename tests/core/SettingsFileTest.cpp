#include "core/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace padrix {
namespace {

using namespace std::string_literals;

Settings edited() {
    Settings s;
    s.buttons[18] = {"Vat", "X*1.19", "Adds the tax..."};
    s.buttons[3].caption = "Sinus";
    s.HiScoreNames[0] = "Ann";
    s.HiScores[0] = 1200;
    s.HiScoreNames[39] = "Zo\xc3\xab";
    s.HiScores[39] = -5;
    return s;
}

TEST(SettingsFile, StoresButtonsAndHighScoresAsTaggedItems) {
    const std::string bytes = formatSettings(Settings{});
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x08\x00\x03\x00"
                                              "Exp",
                                              7));
    EXPECT_EQ(bytes.substr(7, 4), std::string("\x08\x00\x00\x00", 4)); // no formula
    // 40 never-set names (tag 0) with their zero scores close the file.
    EXPECT_EQ(bytes.substr(bytes.size() - 160), std::string(160, '\0'));

    EXPECT_EQ(parseSettings(formatSettings(edited())), edited());
    EXPECT_EQ(parseSettings(formatSettings(Settings{})), Settings{});

    // A journal turned off is one more item after the scores; a file without it keeps one.
    Settings off = edited();
    off.keepJournal = false;
    EXPECT_EQ(formatSettings(off),
              formatSettings(edited()) + std::string("\x08\x00\x0b\x00TapeJournal\x00\x00", 17));
    EXPECT_EQ(parseSettings(formatSettings(off)), off);
    EXPECT_TRUE(parseSettings(formatSettings(edited())).keepJournal);
}

TEST(SettingsFile, ShortOrForeignFilesReadWhatTheyHold) {
    const std::string full = formatSettings(edited());
    // Cut inside the second button: what is missing is empty, never a leftover.
    const Settings cut = parseSettings(std::string_view(full).substr(0, full.find("Log") + 3));
    EXPECT_EQ(cut.buttons[0].caption, "Exp");
    EXPECT_EQ(cut.buttons[1].caption, "Log");
    EXPECT_EQ(cut.buttons[1].toolTip, "");
    EXPECT_EQ(cut.buttons[22].caption, "");
    EXPECT_FALSE(cut.HiScoreNames[0].has_value());
    EXPECT_EQ(cut.HiScores[0], 0);
    EXPECT_EQ(parseSettings({}).buttons[0].caption, "");

    // Values of other types read as text; a single-byte code page becomes UTF-8.
    // The s suffix keeps every byte of the literal, the zeros too, and nothing beyond it.
    const std::string other = "\x02\x00\x2a\x00" // integer 42
                              "\x00\x00"         // empty
                              "\x08\x00\x04\x00"
                              "Caf\xe9"s; // Latin-1 text
    const Settings s = parseSettings(other);
    EXPECT_EQ(s.buttons[0].caption, "42");
    EXPECT_EQ(s.buttons[0].formula, "");
    EXPECT_EQ(s.buttons[0].toolTip, "Caf\xc3\xa9");
    // An unknown tag ends the reading.
    EXPECT_EQ(parseSettings(std::string("\x63\x00\x08\x00\x01\x00"
                                        "X",
                                        7))
                  .buttons[0]
                  .formula,
              "");
}

TEST(SettingsFile, ALatin1TextReadBackIsWrittenBackWhole) {
    // A tool tip of 65,535 Latin-1 bytes, each a character that takes two bytes in UTF-8.
    const std::string latin1(0xFFFF, '\xE9'); // é
    std::string file;
    for (int i = 0; i < 3; ++i) { // caption, formula, then the long tool tip of button 0
        const std::string text = i == 2 ? latin1 : std::string("Exp").substr(0, i == 0 ? 3 : 0);
        file += std::string("\x08\x00", 2);
        file.push_back(static_cast<char>(text.size() & 0xFF));
        file.push_back(static_cast<char>(text.size() >> 8));
        file += text;
    }
    const Settings read = parseSettings(file);
    EXPECT_EQ(read.buttons[0].toolTip.size(), 2U * 0xFFFF); // as UTF-8
    const Settings again = parseSettings(formatSettings(read));
    EXPECT_EQ(again.buttons[0].toolTip, read.buttons[0].toolTip);
}

TEST(SettingsFile, HostileBytesNeverCrashOrHang) {
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 4000);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        // Mostly valid tags with lengths that run past the end.
        if (round % 2 == 0)
            for (std::size_t i = 0; i + 4 <= bytes.size(); i += 40) {
                bytes[i] = 8;
                bytes[i + 1] = 0;
                bytes[i + 3] = static_cast<char>(0x7F);
            }
        const Settings s = parseSettings(bytes);
        for (const FunctionDefinition& d : s.buttons)
            EXPECT_LE(d.caption.size(), 3u * 0xFFFFu);
    }
}

TEST(SettingsFile, SaveReplacesTheWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("padrix-calculator.cfg");
    EXPECT_FALSE(loadSettingsFile(path).has_value());
    Settings longer = edited();
    longer.buttons[20].toolTip = std::string(5000, 'x');
    ASSERT_TRUE(saveSettingsFile(path, longer));
    ASSERT_TRUE(saveSettingsFile(path, edited()));
    EXPECT_EQ(loadSettingsFile(path), edited());
    EXPECT_FALSE(saveSettingsFile(dir.filePath("missing/folder.cfg"), edited()));

    // A text beyond the 16-bit length is cut at a character boundary, not inside the one that
    // straddles it.
    Settings huge;
    std::string text(70000, 'a');
    text.replace(65534, 2, "\xc3\xa9");
    huge.buttons[0].toolTip = text;
    EXPECT_EQ(parseSettings(formatSettings(huge)).buttons[0].toolTip, std::string(65534, 'a'));
}

} // namespace
} // namespace padrix
