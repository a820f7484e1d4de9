#include "core/CalcFile.h"

#include "RandomTape.h"
#include "TotalInLocale.h"
#include "TricklingFile.h"
#include "core/ClipboardText.h"
#include "core/Recalculation.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace padrix {
namespace {

const NumberLocale en = NumberLocale::english();

std::string readAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll().toStdString();
}

void writeAll(const QString& path, std::string_view bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

Tape sampleTape() {
    Tape t;
    t.append('+', Decimal::parse("1234.5"));
    t.append('x', Decimal::parse("3"));
    t.append('+', Decimal::parse("-12"));
    t.append('/', Decimal::parse("4"));
    return t;
}

TEST(CalcFile, WritesHeaderAndOneLinePerTapeLine) {
    EXPECT_EQ(formatCalcText(sampleTape(), en),
              "Padrix Calculator 6\r\n+1234.5\r\nx3\r\n+-12\r\n/4\r\n");
    EXPECT_EQ(formatCalcText(sampleTape(), NumberLocale::german()),
              "Padrix Calculator 6\r\n+1234,5\r\nx3\r\n+-12\r\n/4\r\n");
    Tape odd;
    odd.append('+', Decimal::parse("0.0000000000000000000000000001"));
    odd.append('-', Decimal::parse("79228162514264337593543950335"));
    odd.append(NoOperator, Decimal(7));
    odd.append('+', std::string("Svol(2)\r\n+99"));
    EXPECT_EQ(formatCalcText(odd, en), "Padrix Calculator 6\r\n+0.0000000000000000000000000001\r\n"
                                       "-79228162514264337593543950335\r\n 7\r\n+Svol(2)  +99\r\n");
    // The number that a line form reads by the locale's rules is written without grouping, so
    // that it reads back the same anywhere; a formula-button call reads its own way and stays.
    Tape forms;
    for (const char* form : {"Sin(1,234.50)", "1,5%", "Svol(1,5)", "Roun(2)", "Sin(1,2,3)"})
        forms.append('+', std::string(form));
    EXPECT_EQ(formatCalcText(forms, en), "Padrix Calculator 6\r\n+Sin(1234.50)\r\n+15%\r\n"
                                         "+Svol(1,5)\r\n+Roun(2)\r\n+Sin(123)\r\n");
}

/// The locales a file may be written and read in: English (and C), German, Swiss French with
/// its narrow no-break space, Swiss German with its apostrophe.
const NumberLocale Locales[] = {en, NumberLocale::german(), {",", "\u202F"}, {".", "\u2019"}};

/// A number as a row of the window shows it in `locale`: plain, or grouped with a few places.
std::string rowText(std::mt19937& random, const NumberLocale& locale) {
    const auto figures = [&](int n) {
        std::string digits;
        for (int i = 0; i < n; ++i)
            digits.push_back(static_cast<char>('0' + test::pick(random, 10)));
        return digits;
    };
    std::string digits = figures(1 + test::pick(random, 9));
    digits.front() = '1';
    const Decimal d =
        Decimal::fromDigits(test::pick(random, 4) == 0, digits, -test::pick(random, 5));
    return test::pick(random, 2) == 0 ? generalText(d, locale)
                                      : displayText(d, test::pick(random, 4), locale);
}

/// A tape of every kind of line and every way a line comes about: typed into a row (stored as
/// the window stores it), made by the function, percentage and formula keys around a row's
/// text, pasted, read from a file written in another locale, the pi key, a double beyond the
/// decimal range, and a number typed beyond it.
Tape randomTape(std::mt19937& random, const NumberLocale& locale) {
    Tape tape;
    const char ops[] = {'+', '-', 'x', '/', '^'};
    const auto op = [&] { return ops[test::pick(random, 5)]; };
    while (tape.lineCount() < 300) {
        const std::string row = rowText(random, locale);
        switch (test::pick(random, 12)) {
        case 0: {
            std::string plain = row;
            for (std::size_t at; (at = plain.find(locale.groupSeparator)) != std::string::npos;)
                plain.erase(at, locale.groupSeparator.size());
            tape.append(op(), textToDecimal(plain, locale));
            break;
        }
        case 1:
            tape.append(op(),
                        std::string(test::pick(random, 2) == 0 ? "Sin(" : "Acos(") + row + ")");
            break;
        case 2:
            tape.append(op(), row + "%");
            break;
        case 3:
            tape.append(op(), "Svol(" + row + ")");
            break;
        case 4:
            tape.append(op(), std::string(test::pick(random, 2) == 0 ? "Int" : "Roun(2)"));
            break;
        case 5: {
            const Tape pasted = pasteTape(row + "\r\n" + rowText(random, locale) + "\tx", locale);
            for (int i = 0; i < pasted.lineCount(); ++i)
                tape.append(pasted.op(i), pasted.value(i));
            break;
        }
        case 6: {
            const NumberLocale& other = Locales[test::pick(random, 4)];
            std::string file = "Padrix Calculator 6\r\n";
            file += op();
            file += rowText(random, other);
            const auto loaded = parseCalcText(file, locale);
            if (loaded) // a grouped text may be no file number
                tape.append(loaded->op(0), loaded->value(0));
            break;
        }
        case 7:
            tape.append(op(), 4 * std::atan(1.0));
            break;
        case 8:
            tape.append(op(), std::ldexp(1.0 + test::pick(random, 100) / 7.0,
                                         100 + test::pick(random, 400)));
            break;
        case 9:
            tape.append('+', std::string("792281625142643375935439503") +
                                 std::to_string(test::pick(random, 90) + 10));
            break;
        case 10:
            tape.append(test::pick(random, 2) == 0 ? NoOperator : '+', Value());
            break;
        default:
            tape.append(op(), Decimal(test::pick(random, 2000) - 1000));
            break;
        }
    }
    return tape;
}

// Whatever the locales that write and read a file, no line's value changes: every line on its
// own and the whole tape give the same total, and the file read and saved again, there and
// back, gives the same bytes.
TEST(CalcFile, NoValueChangesOnSaveAndReopenInAnyLocale) {
    std::mt19937 random(22);
    for (const NumberLocale& writer : Locales) {
        const Tape tape = randomTape(random, writer);
        const std::string saved = formatCalcText(tape, writer);
        for (const NumberLocale& reader : Locales) {
            const std::string row =
                "written with " + writer.decimalSeparator + " read with " + reader.decimalSeparator;
            std::string error;
            const auto read = parseCalcText(saved, reader, &error);
            ASSERT_TRUE(read) << row << ": " << error;
            ASSERT_EQ(read->TapeOperators(), tape.TapeOperators()) << row;
            for (int i = 0; i < tape.lineCount(); ++i) {
                Tape before;
                before.append('+', tape.value(i));
                Tape after;
                after.append('+', read->value(i));
                EXPECT_EQ(test::totalIn(after, reader, reader),
                          test::totalIn(before, writer, reader))
                    << row << ", line " << i << ": " << tape.value(i).text(writer) << " became "
                    << read->value(i).text(reader);
            }
            EXPECT_EQ(test::totalIn(*read, reader, reader), test::totalIn(tape, writer, reader))
                << row;
            const auto back = parseCalcText(formatCalcText(*read, reader), writer);
            ASSERT_TRUE(back) << row;
            EXPECT_EQ(formatCalcText(*back, writer), saved) << row;
        }
    }
}

// What other editors leave is read: CR LF, LF, CR alone or a mixture, no final line end,
// blank lines, an operator with nothing after it, a file from a single-byte code page.
TEST(CalcFile, ReadsWhatOtherEditorsLeave) {
    const std::pair<std::string, std::string> rows[] = {
        // the text, the lines it reads as
        {"h\r\n+1\r\n-2\r\nx3\r\n", "+1\r\n-2\r\nx3\r\n"},
        {"h\n+1\n-2\nx3\n", "+1\r\n-2\r\nx3\r\n"},
        {"h\r+1\r-2\rx3\r", "+1\r\n-2\r\nx3\r\n"},
        {"h\r\n+1\r-2\nx3", "+1\r\n-2\r\nx3\r\n"},
        {"h\r\n+1\r\n-2\r\nx3\r", "+1\r\n-2\r\nx3\r\n"},
        {"h\n+1\n-2\rx3", "+1\r\n-2\r\nx3\r\n"},
        {"h\r\n+10%\r+5\r\n", "+10%\r\n+5\r\n"}, // a lone CR ends a line form too
        {"Padrix Calculator 6\n+1\n\nx\n-2.5", "+1\r\n \r\nx\r\n-2.5\r\n"},
        {"h\r\n+Caf\xe9(2)\r\n", "+Caf\xc3\xa9(2)\r\n"},
    };
    for (const auto& [text, lines] : rows) {
        const auto tape = parseCalcText(text, en);
        ASSERT_TRUE(tape) << text;
        EXPECT_EQ(formatCalcText(*tape, en), "Padrix Calculator 6\r\n" + lines) << text;
    }
}

// A file's numbers read the same in every locale, and the numbers in its line forms get the
// reading locale's point; a number beyond the decimal range keeps its text.
TEST(CalcFile, NumbersReadTheSameInEveryLocale) {
    const struct {
        const char* line;
        const char* value[4]; // as each of Locales holds it
    } rows[] = {
        {"+1.5", {"1.5", "1,5", "1,5", "1.5"}},
        {"+1.234,5", {"1234.5", "1234,5", "1234,5", "1234.5"}}, // the rule's table is the numbers'
        {"x12,5%", {"12.5%", "12,5%", "12,5%", "12.5%"}},
        {"+Sin(0.5)", {"Sin(0.5)", "Sin(0,5)", "Sin(0,5)", "Sin(0.5)"}},
        {"+Sin(1,234.5)", {"Sin(1234.5)", "Sin(1234,5)", "Sin(1234,5)", "Sin(1234.5)"}},
        {"+Svol(2,5)", {"Svol(2,5)", "Svol(2,5)", "Svol(2,5)", "Svol(2,5)"}},
        {"+79228162514264337593543950336",
         {"79228162514264337593543950336", "79228162514264337593543950336",
          "79228162514264337593543950336", "79228162514264337593543950336"}},
        {"+1,5E+30", {"1.5E+30", "1,5E+30", "1,5E+30", "1.5E+30"}},
    };
    for (const auto& r : rows) {
        for (std::size_t k = 0; k < std::size(Locales); ++k) {
            std::string error;
            const auto tape =
                parseCalcText(std::string("Padrix Calculator 6\r\n") + r.line, Locales[k], &error);
            ASSERT_TRUE(tape) << r.line << ": " << error;
            EXPECT_EQ(tape->value(0).text(Locales[k]), r.value[k])
                << r.line << " read with " << Locales[k].decimalSeparator;
        }
    }
}

// The first line is the header and is skipped, unless it is a tape line: then the header is
// missing, and the file is refused rather than read without its first line.
TEST(CalcFile, TheHeaderIsLookedAt) {
    const struct {
        const char* text;
        int lines;           // -1: refused
        const char* message; // part of the reason
    } rows[] = {
        {"Padrix Calculator 6\r\n+1\r\n", 1, ""},
        {"My shopping\n+1\n+2\n", 2, ""},
        {"- Budget (2024)\n+1\n", 1, ""},
        {"x-ray\n+1\n", 1, ""},
        {"+\n+1\n", 1, ""},
        {"+1\n+2\n", -1,
         "its first line (+1) is a tape line: the header line \"Padrix Calculator "
         "6\" is missing"},
        {"-10%\n", -1, "header line"},
        {"xSin(30)\r\n+2\r\n", -1, "header line"},
        {"+Int\n", -1, "header line"},
        {"/1,5\r+2\r", -1, "header line"},
        {"Padrix Calculator 6\r\n", -1, "it holds no line after its header"},
        {"Padrix Calculator 6", -1, "it holds no line after its header"},
        {"whatever\n", -1, "it holds no line after its header"},
    };
    for (const auto& r : rows) {
        std::string error;
        const auto tape = parseCalcText(r.text, en, &error);
        test::TricklingFile file(r.text, 3);
        std::string streamError;
        EXPECT_EQ(loadCalcStream(file, "f", en, &streamError), tape) << r.text;
        if (r.lines < 0) {
            EXPECT_FALSE(tape) << r.text;
            EXPECT_NE(error.find(r.message), std::string::npos) << r.text << ": " << error;
            EXPECT_EQ(streamError, "f: " + error);
        } else {
            ASSERT_TRUE(tape) << r.text << ": " << error;
            EXPECT_EQ(tape->lineCount(), r.lines) << r.text;
        }
    }
}

TEST(CalcFile, RefusesDamagedFilesWithAReason) {
    const struct {
        std::string text;
        std::string reason;
    } cases[] = {
        {"", "empty"},
        {"Padrix Calculator 6\r\n+1\r\n+abc\r\n", "line 3"},
        {"Padrix Calculator 6\r\n+1.2.3\r\n", "line 2"},
        {"Padrix Calculator 6\r\n+\x01\x02\x03\r\n", "line 2"},
        {"Padrix Calculator 6\r\n\xc3\xa9"
         "5\r\n",
         "line 2"},
        {std::string("Padrix Calculator 6\r\n+1\0\r\n", 25), "not a text file"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "not a text file"},
        {"\xFF\xFEP\0a\0", "not a text file"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parseCalcText(c.text, en, &error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    QTemporaryDir dir;
    std::string error;
    EXPECT_FALSE(loadCalcFile(dir.filePath("missing.Clc"), en, &error));
    EXPECT_NE(error.find("missing.Clc"), std::string::npos) << error;
    EXPECT_FALSE(loadCalcFile(dir.path(), en, &error));
}

TEST(CalcFile, FailedSaveLeavesThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.Clc");
    writeAll(path, "Padrix Calculator 6\r\n+1\r\n");

    // A read-only file is not replaced.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    std::string error;
    SaveFailure failure = SaveFailure::Other;
    EXPECT_FALSE(saveCalcFile(path, sampleTape(), en, &error, &failure));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(failure, SaveFailure::ReadOnly);
    EXPECT_EQ(readAll(path), "Padrix Calculator 6\r\n+1\r\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    ASSERT_TRUE(saveCalcFile(path, sampleTape(), en, &error)) << error;
    EXPECT_EQ(readAll(path), formatCalcText(sampleTape(), en));

    // A folder that is not there is named as such.
    EXPECT_FALSE(saveCalcFile(dir.filePath("no/such/x.Clc"), sampleTape(), en, &error, &failure));
    EXPECT_EQ(failure, SaveFailure::MissingFolder);
    EXPECT_NE(error.find("the folder " + dir.filePath("no/such").toStdString() + " does not exist"),
              std::string::npos)
        << error;
}

TEST(CalcFile, StripExtensionCutsAtTheLastDot) {
    const std::pair<QString, QString> cases[] = {
        {"week.txt", "week"}, {"week", "week"},           {"week.Clc.bak", "week.Clc"},
        {".Clc", ""},         {"plans.v2/week", "plans"}, {"", ""},
    };
    for (const auto& [name, stripped] : cases)
        EXPECT_EQ(StripExtension(name), stripped) << name.toStdString();
}

/// A device that never ends, as /dev/zero or an endless pipe, and says its size is 0.
class EndlessDevice : public QIODevice {
public:
    EndlessDevice() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        std::memset(data, '\n', static_cast<std::size_t>(maxSize));
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST(CalcFile, ReadingIsBoundedByWhatArrives) {
    EndlessDevice endless;
    std::string error;
    EXPECT_FALSE(loadCalcStream(endless, "standard input", NumberLocale::english(), &error,
                                qint64(4) << 20));
    EXPECT_EQ(error, "cannot read standard input: it is larger than 4 MiB");

    // More lines than a tape may hold are refused before any is made; exactly as many are
    // read, whether the last line has its line end or not, whole or in pieces.
    for (const std::string body : {"+1\n+2\n+3", "+1\n+2\n+3\n", "+1\r\n+2\r\n+3\r\n"}) {
        const std::string text = "Padrix Calculator 6\n" + body;
        const auto three = parseCalcText(text, en, &error, 3);
        ASSERT_TRUE(three) << body << ": " << error;
        EXPECT_EQ(three->lineCount(), 3);
        test::TricklingFile file(text, 2);
        EXPECT_EQ(loadCalcStream(file, "f", en, &error, MaxCalcFileBytes, 3), three) << body;
        EXPECT_FALSE(parseCalcText(text, en, &error, 2)) << body;
        EXPECT_EQ(error, "the file has 3 lines; a tape holds at most 2 lines (2 GB)");
        test::TricklingFile again(text, 2);
        EXPECT_FALSE(loadCalcStream(again, "f", en, &error, MaxCalcFileBytes, 2)) << body;
    }
}

TEST(CalcFile, AFileReadInPiecesGivesWhatItsWholeTextGives) {
    std::string many = "Padrix Calculator 6\r\n";
    std::int64_t hundredths = 0; // "5,25" is 5.25, as "5.25" is
    for (int i = 0; i < 30000; ++i) {
        many += i % 3 == 0 ? '-' : '+';
        many += std::to_string(i);
        many += i % 7 == 0 ? ",25\r\n" : (i % 7 == 1 ? ".5\r\n" : "\r\n");
        const std::int64_t value = i * 100LL + (i % 7 == 0 ? 25 : (i % 7 == 1 ? 50 : 0));
        hundredths += i % 3 == 0 ? -value : value;
    }
    // More lines than any growth step, none lost or changed.
    const auto all = parseCalcText(many, en);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->lineCount(), 30000);
    EXPECT_EQ(MailCalc(*all, {}).text, (Decimal(hundredths) / Decimal(100)).toString());
    const std::string cases[] = {
        "h\r\n+1\r\n+Sin(30)\r\n\r\n x\r\n/2", "h\n+Caf\xc3\xa9(2)\n+\xe2\x82\xac\n",
        "h\r\n+Caf\xe9(2)\r\n", "h\r+1\r-2\rx3\r", "h\r\n+10%\r+5\r\n", "header only",
        "+1\n+2\n", // no header
        "h\r\n+1\r\n+abc\r\n",
        // Lines close to the everyday shape, each read as the whole text reads it.
        "h\r\n+1234567890123456789\r\n+12345678901234567890\r\n+.5\r\n-5.\r\nx-0\r\n/0,5\r\n"
        "^-2\n 5\r\n*5\r\n+1,234.5\r\n-0000000000000000000001\r\n+7",
        "h\r\n+1.2.3\r\n", // no number
        "h\r\n+-\r\n",     // no figure
        "h\r\n+5\r\r\n",   // a CR alone before the line end
        many,
        many + "+\xe9\r\n",       // a single-byte code page, seen only at the end
        many + "+5\r-1\r\n",      // a CR alone, seen only at the end
        many + "+oops\r\n+1\r\n", // a damaged line far down
        many + "+(" + std::string(300000, '1') + ")\r\n+2\r\n", // a line longer than a piece
        many + std::string("+1\0\r\n", 6),                      // a NUL far down
        std::string("P\0C 6\r\n+1\r\n", 11),                    // a NUL in the header
    };
    for (const std::string& text : cases) {
        std::string wholeError;
        const auto whole = parseCalcText(text, en, &wholeError);
        for (const qint64 step : {qint64(1), qint64(3), qint64(7000), qint64(1) << 30}) {
            if (step < 7 && text.size() > 100000)
                continue; // a byte at a time through 200 KB proves nothing more
            test::TricklingFile file(text, step);
            std::string error;
            const auto tape = loadCalcStream(file, "f", en, &error);
            const std::string row = text.substr(0, 30) + " (" + std::to_string(text.size()) +
                                    " bytes) in steps of " + std::to_string(step);
            EXPECT_EQ(tape, whole) << row;
            EXPECT_EQ(error, whole ? "" : "f: " + wholeError) << row;
        }
    }
}

} // namespace
} // namespace padrix
