#include "core/CalcFile.h"

#include "TricklingFile.h"
#include "core/Recalculation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#ifdef __linux__
#include <csignal>
#include <sys/resource.h>
#endif

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
}

// A tape saved to a file loads back the same; doubles come back as their figures: the pi
// key's value, and one beyond the decimals.
TEST(CalcFile, SaveThenLoadGivesTheSameTape) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tape.Clc");
    Tape tape = sampleTape();
    tape.append('+', 4 * std::atan(1.0));
    tape.append('+', 1e40);
    std::string error;
    ASSERT_TRUE(saveCalcFile(path, tape, en, &error)) << error;
    const auto loaded = loadCalcFile(path, en, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->TapeOperators(), tape.TapeOperators());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(loaded->value(i), tape.value(i)) << i;
    EXPECT_EQ(loaded->TapeValues()[4].text(en), "3.14159265358979");
    EXPECT_EQ(loaded->TapeValues()[5].text(en), "1E+40");
    EXPECT_EQ(MailCalc(*loaded, {}), MailCalc(tape, {}));
}

// Random tapes of every kind of line survive a save and a load in both locales.
TEST(CalcFile, RandomTapesRoundTrip) {
    std::mt19937 random(61);
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<int> figure(0, 9);
    std::uniform_int_distribution<int> count(1, 28);
    const char ops[] = {'+', '-', 'x', '/', '^', NoOperator};
    const char* forms[] = {"Sin(30)",   "Int",    "Roun(2)",          "12.5%", "Svol(2)",
                           "Acos(0.5)", "Fix(7)", "Custom button(3)", "Foo()", "Int(7)"};
    for (const NumberLocale& locale : {en, NumberLocale::german()}) {
        Tape tape;
        for (int i = 0; i < 400; ++i) {
            Value v;
            switch (kind(random)) {
            case 0: {
                std::string digits;
                const int n = count(random);
                for (int d = 0; d < n; ++d)
                    digits.push_back(static_cast<char>('0' + figure(random)));
                v = Decimal::fromDigits(figure(random) < 5, digits, -figure(random) * 3);
                break;
            }
            case 1:
                v = std::ldexp(static_cast<double>(figure(random) + 1) / 7.0,
                               figure(random) * 30 - 100);
                break;
            case 2:
                v = std::string(forms[figure(random)]);
                break;
            case 3:
                v = Value();
                break;
            default:
                v = Decimal(static_cast<std::int64_t>(figure(random)) * 1000 - 4000);
                break;
            }
            tape.append(ops[figure(random) % 6], v);
        }
        const auto loaded = parseCalcText(formatCalcText(tape, locale), locale);
        ASSERT_TRUE(loaded);
        ASSERT_EQ(loaded->lineCount(), tape.lineCount());
        for (int i = 0; i < tape.lineCount(); ++i) {
            const Value& before = tape.TapeValues()[i];
            const Value& after = loaded->TapeValues()[i];
            EXPECT_EQ(loaded->TapeOperators()[i], tape.TapeOperators()[i]) << i;
            if (before.isDouble() && after.isDecimal())
                EXPECT_EQ(after.decimal(), Decimal::fromDouble(before.number())) << i;
            else
                EXPECT_EQ(after, before) << i << ": " << before.text(en);
        }
        RecalcSettings settings;
        settings.locale = locale;
        EXPECT_EQ(MailCalc(*loaded, settings), MailCalc(tape, settings));
    }
}

TEST(CalcFile, ReadsWhatOtherEditorsLeave) {
    // A header alone is a tape of one empty line.
    for (const char* text : {"Padrix Calculator 6\r\n", "Padrix Calculator 6", "whatever\n"}) {
        const auto tape = parseCalcText(text, en);
        ASSERT_TRUE(tape) << text;
        ASSERT_EQ(tape->lineCount(), 1);
        EXPECT_TRUE(tape->TapeValues()[0].isEmpty());
    }
    // LF line ends, no final line end, blank lines, a value with nothing after its operator.
    const auto tape = parseCalcText("Padrix Calculator 6\n+1\n\nx\n-2.5", en);
    ASSERT_TRUE(tape);
    ASSERT_EQ(tape->lineCount(), 4);
    EXPECT_EQ(tape->TapeOperators(), (std::vector<char>{'+', NoOperator, 'x', '-'}));
    EXPECT_EQ(tape->TapeValues()[3], Value(Decimal::parse("2.5")));
    EXPECT_TRUE(tape->TapeValues()[2].isEmpty());

    // Numbers follow the current locale's rules; a file from a single-byte code page loads.
    EXPECT_EQ(parseCalcText("h\r\n+1,5\r\n", en)->TapeValues()[0], Value(Decimal(15)));
    EXPECT_EQ(parseCalcText("h\r\n+1,5\r\n", NumberLocale::german())->TapeValues()[0],
              Value(Decimal::parse("1.5")));
    EXPECT_EQ(parseCalcText("h\r\n+Caf\xe9(2)\r\n", en)->TapeValues()[0],
              Value(std::string("Caf\xc3\xa9(2)")));
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
    EXPECT_FALSE(saveCalcFile(dir.filePath("no/such/folder/x.Clc"), sampleTape(), en, &error));
}

TEST(CalcFile, FailedSaveLeavesThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.Clc");
    writeAll(path, "Padrix Calculator 6\r\n+1\r\n");

    // A read-only file is not replaced.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    std::string error;
    EXPECT_FALSE(saveCalcFile(path, sampleTape(), en, &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(readAll(path), "Padrix Calculator 6\r\n+1\r\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

#ifdef __linux__
    // A write that fails half-way (here: the file size limit) leaves the old file whole.
    Tape large;
    for (int i = 0; i < 2000; ++i)
        large.append('+', Decimal(i));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = saveCalcFile(path, large, en, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("the file would pass the size limit of 4096 bytes"), std::string::npos)
        << error; // the real cause, not the cancelling
    EXPECT_EQ(readAll(path), "Padrix Calculator 6\r\n+1\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "a temporary file was left";
#endif

    ASSERT_TRUE(saveCalcFile(path, sampleTape(), en, &error)) << error;
    EXPECT_EQ(readAll(path), formatCalcText(sampleTape(), en));
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

    // More lines than a tape may hold in memory are refused before any is made.
    const std::string blank = "h\n" + std::string(MaxTapeLines, '\n');
    EXPECT_FALSE(parseCalcText(blank, NumberLocale::english(), &error));
    EXPECT_EQ(error, "the file has " + std::to_string(MaxTapeLines + 1) +
                         " lines; a tape holds at most " + std::to_string(MaxTapeLines) +
                         " lines (2 GB)");
}

TEST(CalcFile, AFileReadInPiecesGivesWhatItsWholeTextGives) {
    std::string many = "Padrix Calculator 6\r\n";
    std::int64_t sum = 0; // "5,25" is 525 where "," groups
    for (int i = 0; i < 30000; ++i) {
        many += i % 3 == 0 ? '-' : '+';
        many += std::to_string(i);
        many += i % 7 == 0 ? ",25\r\n" : "\r\n";
        const std::int64_t value = i % 7 == 0 ? i * 100LL + 25 : i;
        sum += i % 3 == 0 ? -value : value;
    }
    // More lines than any growth step, none lost or changed.
    const auto all = parseCalcText(many, en);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->lineCount(), 30000);
    EXPECT_EQ(MailCalc(*all, {}).text, std::to_string(sum));
    const std::string cases[] = {
        "h\r\n+1\r\n+Sin(30)\r\n\r\n x\r\n/2",
        "h\n+Caf\xc3\xa9(2)\n+\xe2\x82\xac\n",
        "h\r\n+Caf\xe9(2)\r\n",
        "h\r+1\r-2\rx3\r",
        "h\r\n+10%\r+5\r\n",
        "header only",
        "h\r\n+1\r\n+abc\r\n",
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

TEST(CalcFile, LinesEndAtCrLfLfOrCrAlone) {
    for (const std::string& text :
         {std::string("h\r\n+1\r\n-2\r\nx3\r\n"), std::string("h\n+1\n-2\nx3\n"),
          std::string("h\r+1\r-2\rx3\r"), std::string("h\r\n+1\r-2\nx3"),
          std::string("h\r\n+1\r\n-2\r\nx3\r"), std::string("h\n+1\n-2\rx3")}) {
        const auto tape = parseCalcText(text, en);
        ASSERT_TRUE(tape) << text;
        EXPECT_EQ(tape->TapeOperators(), (std::vector<char>{'+', '-', 'x'})) << text;
        EXPECT_EQ(tape->value(2), Value(Decimal(3))) << text;
    }
    // A lone CR after a line form is a line end too, not part of its text.
    const auto tape = parseCalcText("h\r\n+10%\r+5\r\n", en);
    ASSERT_TRUE(tape);
    EXPECT_EQ(tape->TapeValues(), (std::vector<Value>{Value("10%"), Value(Decimal(5))}));
}

} // namespace
} // namespace padrix
