#include "app/CommandLine.h"

#include "core/CalcFile.h"
#include "core/LineForms.h"
#include "core/Recalculation.h"
#include "core/SettingsFile.h"
#include "eval/Evalation.h"
#include "numbers/CalcFailure.h"
#include "numbers/NumberText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QTextStream>

#include <algorithm>
#include <map>
#include <utility>

namespace padrix {

namespace {

constexpr const char* ProgramName = "padrix-calculator";

/// One option of the command line: its names, and what its value is called in messages (none
/// for a switch).
struct OptionDesign {
    QStringList names; // the first is the one messages use
    const char* value; // English, as the texts below; shown in the user's language
    const char* help;
};

const std::vector<OptionDesign>& optionTable() {
    static const std::vector<OptionDesign> options = {
        {{"--help", "-h"},
         nullptr,
         QT_TRANSLATE_NOOP("padrix::CommandLine", "show this help and exit")},
        {{"--version", "-v"},
         nullptr,
         QT_TRANSLATE_NOOP("padrix::CommandLine", "show the version and exit")},
        {{"--eval"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "formula"),
         QT_TRANSLATE_NOOP("padrix::CommandLine",
                           "evaluate a function-button formula in X and T and print it")},
        {{"--x", "-x"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "value"),
         QT_TRANSLATE_NOOP("padrix::CommandLine", "the value of X in the --eval formula")},
        {{"--t", "-t"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "value"),
         QT_TRANSLATE_NOOP("padrix::CommandLine", "the value of T in the --eval formula")},
        {{"--total"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "file"),
         QT_TRANSLATE_NOOP("padrix::CommandLine",
                           "print the grand total of a calculation file (- reads standard input)")},
        {{"--decimals"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "places"),
         QT_TRANSLATE_NOOP("padrix::CommandLine",
                           "decimals of the --total: 0 to 6, or variable (the default)")},
        {{"--mode"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "mode"),
         QT_TRANSLATE_NOOP(
             "padrix::CommandLine",
             "what the --total shows: numbers (the default), average, mean (also median) or mode")},
        {{"--settings"},
         QT_TRANSLATE_NOOP("padrix::CommandLine", "file"),
         QT_TRANSLATE_NOOP("padrix::CommandLine",
                           "the settings file whose function buttons the --total uses")},
    };
    return options;
}

/// What the arguments ask for, once they are known to fit together.
struct Request {
    std::map<QString, QString> options; // by the option's first name; a switch has ""
    QStringList files;                  // names that are no option
    bool has(const char* name) const { return options.contains(QLatin1String(name)); }
    QString value(const char* name) const { return options.at(QLatin1String(name)); }
};

/// Thrown by the parsing with the one line that says what to fix.
struct UsageError {
    QString message;
};

/// "--x needs a value", with the option's value named in the user's language.
QString needsValue(const OptionDesign& option) {
    return QCoreApplication::translate("padrix::CommandLine", "%1 needs a %2")
        .arg(option.names.front(),
             QCoreApplication::translate("padrix::CommandLine", option.value));
}

const OptionDesign* findOption(const QString& name) {
    for (const OptionDesign& option : optionTable())
        if (option.names.contains(name))
            return &option;
    return nullptr;
}

Request parseArguments(const QStringList& arguments) {
    Request request;
    bool optionsEnded = false; // after "--" every argument is a file name or a value
    QString waiting;           // an option whose value follows "--"
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (optionsEnded || argument == QLatin1String("-") ||
            !argument.startsWith(QLatin1Char('-'))) {
            if (!waiting.isEmpty())
                request.options[std::exchange(waiting, QString())] = argument;
            else
                request.files.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        std::optional<QString> attached; // --name=value
        if (const auto eq = argument.indexOf(QLatin1Char('='));
            argument.startsWith("--") && eq > 0) {
            attached = argument.mid(eq + 1);
            argument.truncate(eq);
        }
        const OptionDesign* option = findOption(argument);
        if (option == nullptr)
            throw UsageError{QCoreApplication::translate("padrix::CommandLine",
                                                         "unknown option '%1'; see --help")
                                 .arg(argument)};
        const QString& name = option->names.front();
        if (request.options.contains(name))
            throw UsageError{
                QCoreApplication::translate("padrix::CommandLine", "%1 is given twice").arg(name)};
        if (option->value == nullptr) {
            if (attached)
                throw UsageError{
                    QCoreApplication::translate("padrix::CommandLine", "%1 takes no value")
                        .arg(name)};
            request.options[name] = QString();
        } else if (attached) {
            request.options[name] = *attached;
        } else if (i + 1 < arguments.size() && arguments[i + 1] == QLatin1String("--")) {
            waiting = name; // --total -- -odd.Clc
        } else if (i + 1 < arguments.size()) {
            request.options[name] = arguments[++i];
        } else {
            throw UsageError{needsValue(*option)};
        }
    }
    if (!waiting.isEmpty())
        throw UsageError{needsValue(*findOption(waiting))};
    return request;
}

/// Refuses options that do not go together; help and version go with anything.
void checkCombination(const Request& r) {
    if (r.has("--help") || r.has("--version"))
        return;
    if (r.has("--eval") && r.has("--total"))
        throw UsageError{QCoreApplication::translate("padrix::CommandLine",
                                                     "--eval and --total exclude each other")};
    if (r.has("--eval") && !r.files.isEmpty())
        throw UsageError{
            QCoreApplication::translate("padrix::CommandLine", "--eval takes no file name ('%1')")
                .arg(r.files.front())};
    if (r.has("--total") && !r.files.isEmpty())
        throw UsageError{QCoreApplication::translate(
                             "padrix::CommandLine", "--total takes one file ('%1' is one too many)")
                             .arg(r.files.front())};
    for (const char* name : {"--x", "--t"})
        if (r.has(name) && !r.has("--eval"))
            throw UsageError{
                QCoreApplication::translate("padrix::CommandLine", "%1 goes with --eval")
                    .arg(QLatin1String(name))};
    for (const char* name : {"--decimals", "--mode", "--settings"})
        if (r.has(name) && !r.has("--total"))
            throw UsageError{
                QCoreApplication::translate("padrix::CommandLine", "%1 goes with --total")
                    .arg(QLatin1String(name))};
    if (!r.has("--eval") && !r.has("--total") && r.files.size() > 1)
        throw UsageError{
            QCoreApplication::translate("padrix::CommandLine",
                                        "the window opens one file ('%1' is one too many)")
                .arg(r.files[1])};
}

/// The help's width: it fits a terminal of 80 columns.
constexpr int HelpWidth = 80;

/// `text` broken into lines of at most HelpWidth columns at blanks, after `first` on the first
/// line and indented by `indent` blanks on the others.
QString wrapped(const QString& first, const QString& text, int indent) {
    QString out = first;
    qsizetype column = first.size();
    bool lineHasWord = false;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (lineHasWord && column + 1 + word.size() > HelpWidth) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
            lineHasWord = false;
        }
        if (lineHasWord) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += word.size();
        lineHasWord = true;
    }
    return out + QLatin1Char('\n');
}

QString helpText() {
    constexpr int OptionColumn = 28;
    QString text = QCoreApplication::translate(
        "padrix::CommandLine",
        "Usage: padrix-calculator [FILE]\n"
        "       padrix-calculator --total FILE [--decimals PLACES] [--mode MODE]\n"
        "                         [--settings FILE]\n"
        "       padrix-calculator --eval FORMULA [--x VALUE] [--t VALUE]\n");
    text += wrapped(
        {},
        QCoreApplication::translate(
            "padrix::CommandLine",
            "Padrix Calculator: a tape calculator with exact decimal arithmetic. Without options "
            "it opens the window, with the calculation file FILE when one is named. \"--\" ends "
            "the options: what follows it is a file name."),
        0);
    text += QLatin1Char('\n') + QCoreApplication::translate("padrix::CommandLine", "Options:") +
            QLatin1Char('\n');
    for (const OptionDesign& option : optionTable()) {
        QStringList names = option.names;
        std::reverse(names.begin(), names.end()); // the short name first, as usual
        QString left = "  " + names.join(QStringLiteral(", "));
        if (option.value != nullptr)
            left += QStringLiteral(" <") +
                    QCoreApplication::translate("padrix::CommandLine", option.value) +
                    QLatin1Char('>');
        text +=
            wrapped(left.leftJustified(OptionColumn - 1) + QLatin1Char(' '),
                    QCoreApplication::translate("padrix::CommandLine", option.help), OptionColumn);
    }
    text += QLatin1Char('\n') + QCoreApplication::translate("padrix::CommandLine", "Exit status:") +
            QLatin1Char('\n');
    text += wrapped(QStringLiteral("  0  "),
                    QCoreApplication::translate("padrix::CommandLine", "success"), 5);
    text += wrapped(
        QStringLiteral("  1  "),
        QCoreApplication::translate("padrix::CommandLine",
                                    "the result is an error word (Error, Overflow, Asin Error "
                                    "and the like), a statistic cannot be formed, the formula "
                                    "fails, a file or the settings file cannot be read, the "
                                    "output cannot be written, or there is no display for the "
                                    "window"),
        5);
    text += wrapped(QStringLiteral("  2  "),
                    QCoreApplication::translate("padrix::CommandLine", "the options are wrong"), 5);
    text += QLatin1Char('\n') + QCoreApplication::translate("padrix::CommandLine", "Examples:") +
            QLatin1Char('\n');
    text += QStringLiteral("  padrix-calculator --total shopping.Clc --decimals 2\n"
                           "  padrix-calculator --eval '(4*3.14159265358979*X^3)/3' --x 2\n");
    return text;
}

/// A value for X or T: a number is written out in plain figures ("1E+3" becomes 1000), with
/// '.' or ',' as its point as in a formula; any other text is passed on as it stands, for the
/// evaluator to judge.
std::string variableText(const QString& value) {
    const std::string text = value.trimmed().toStdString();
    std::string plain = text;
    std::replace(plain.begin(), plain.end(), ',', '.');
    try {
        return textToDecimal(plain, NumberLocale::plain()).toString();
    } catch (const CalcError&) {
        return text;
    }
}

QTextStream& message(QTextStream& err) {
    return err << ProgramName << ": ";
}

int evaluate(const Request& r, QTextStream& out, QTextStream& err) {
    // Formulas are stored in upper case, as the editor stores them: x is X.
    std::string formula = r.value("--eval").toUpper().toStdString();
    const std::string x = r.has("--x") ? variableText(r.value("--x")) : "";
    const std::string t = r.has("--t") ? variableText(r.value("--t")) : "";
    try {
        formula = bindVariables(formula, x, t);
        const std::string result = EvalFormula(formula);
        out << QString::fromStdString(result) << Qt::endl;
        return Evalation::isErrorText(result) ? 1 : 0;
    } catch (const CalcError& e) {
        message(err) << QCoreApplication::translate("padrix::CommandLine", "the formula fails: %1")
                            .arg(QString::fromStdString(failureName(e.kind())))
                     << Qt::endl;
        return 1;
    }
}

std::optional<int> decimalsChoice(const QString& text) {
    if (text == QLatin1String("variable"))
        return VariableDecimals;
    bool ok = false;
    const int places = text.toInt(&ok);
    return ok && places >= 0 && places <= 6 ? std::optional<int>(places) : std::nullopt;
}

std::optional<int> totalMode(const QString& text) {
    static const std::map<QString, int> modes = {
        {"numbers", TotalNumbers}, {"average", TotalAverage}, {"mean", TotalMean},
        {"median", TotalMean},     {"mode", TotalMode},
    };
    const auto found = modes.find(text);
    return found != modes.end() ? std::optional<int>(found->second) : std::nullopt;
}

/// Says which lines count for nothing because their operator is none of the five, so that a
/// typing slip in a script's file is seen; at most `MaxWarnings` of them.
void warnAboutOperators(const Tape& tape, const QString& name, QTextStream& err) {
    constexpr int MaxWarnings = 10;
    int warned = 0;
    for (int i = 0; i < tape.lineCount() && warned < MaxWarnings; ++i) {
        const Value& value = tape.value(i);
        if (isOperator(tape.op(i)) || value.isEmpty())
            continue;
        // Int, Fix and Roun(n) act on the total whatever stands before them.
        if (value.isText() && totalModifierIn(value.textValue()) != nullptr)
            continue;
        const char op = tape.op(i) == NoOperator ? ' ' : tape.op(i);
        message(err) << QCoreApplication::translate("padrix::CommandLine",
                                                    "%1: line %2: the operator '%3' is none of + - "
                                                    "x / ^, so the line counts for nothing")
                            .arg(name, QString::number(i + 2), QString(QLatin1Char(op)))
                     << Qt::endl;
        ++warned;
    }
}

std::optional<Tape> readTape(const QString& path, const NumberLocale& locale,
                             const CommandLineContext& context, QString& name, std::string& error) {
    if (path == QLatin1String("-")) {
        name = QCoreApplication::translate("padrix::CommandLine", "standard input");
        if (context.standardInput == nullptr) {
            error = QCoreApplication::translate("padrix::CommandLine",
                                                "standard input: nothing to read")
                        .toStdString();
            return std::nullopt;
        }
        return loadCalcStream(*context.standardInput, name.toStdString(), locale, &error);
    }
    name = path;
    return loadCalcFile(path, locale, &error);
}

int total(const Request& r, QTextStream& out, QTextStream& err, const CommandLineContext& context) {
    RecalcSettings settings;
    settings.locale = context.locale;
    if (r.has("--decimals")) {
        const auto choice = decimalsChoice(r.value("--decimals"));
        if (!choice) {
            message(err) << QCoreApplication::translate(
                                "padrix::CommandLine",
                                "--decimals takes 0 to 6 or variable, not '%1'")
                                .arg(r.value("--decimals"))
                         << Qt::endl;
            return 2;
        }
        settings.DecimalsChoice = *choice;
    }
    if (r.has("--mode")) {
        const auto mode = totalMode(r.value("--mode"));
        if (!mode) {
            message(err) << QCoreApplication::translate(
                                "padrix::CommandLine",
                                "--mode takes numbers, average, mean (or median) or mode, not '%1'")
                                .arg(r.value("--mode"))
                         << Qt::endl;
            return 2;
        }
        settings.TotalMode = *mode;
    }
    const QString path = r.value("--total");
    if (path.isEmpty()) {
        message(err) << QCoreApplication::translate(
                            "padrix::CommandLine",
                            "--total needs a file name (- reads standard input)")
                     << Qt::endl;
        return 2;
    }

    Settings stored;
    if (r.has("--settings")) {
        const QString settingsPath = r.value("--settings");
        const auto read = settingsPath.isEmpty() ? std::nullopt : loadSettingsFile(settingsPath);
        if (!read) {
            message(err) << QCoreApplication::translate("padrix::CommandLine",
                                                        "cannot read the settings file '%1'")
                                .arg(settingsPath)
                         << Qt::endl;
            return 1;
        }
        stored = *read;
        const bool none = std::all_of(stored.buttons.begin(), stored.buttons.end(),
                                      [](const FunctionDefinition& button) {
                                          return button.caption.empty() && button.formula.empty();
                                      });
        if (none)
            message(err) << QCoreApplication::translate("padrix::CommandLine",
                                                        "the settings file '%1' holds no function "
                                                        "buttons; a line that calls one gives "
                                                        "an error word")
                                .arg(settingsPath)
                         << Qt::endl;
    }
    settings.buttons = &stored.buttons;

    QString name;
    std::string error;
    const std::optional<Tape> tape = readTape(path, settings.locale, context, name, error);
    if (!tape) {
        message(err) << QString::fromStdString(error) << Qt::endl;
        return 1;
    }
    warnAboutOperators(*tape, name, err);
    // An error word is printed like a number, but the status tells a script it is none.
    const GrandTotal grandTotal = MailCalc(*tape, settings);
    // A Mode without a value shows its title alone in the window; here it is no statistic.
    if (settings.TotalMode == TotalMode && grandTotal.text == "Mode : ") {
        out << Qt::endl;
        return 1;
    }
    out << QString::fromStdString(grandTotal.text) << Qt::endl;
    return grandTotal.failed ? 1 : 0;
}

} // namespace

std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                                  const CommandLineContext& context) {
    Request request;
    try {
        request = parseArguments(arguments);
        checkCombination(request);
    } catch (const UsageError& e) {
        message(err) << e.message << Qt::endl;
        return 2;
    }
    if (request.has("--help")) {
        out << helpText();
        out.flush();
        return 0;
    }
    if (request.has("--version")) {
        out << "Padrix Calculator " << PADRIX_VERSION << Qt::endl;
        return 0;
    }
    if (request.has("--eval"))
        return evaluate(request, out, err);
    if (request.has("--total"))
        return total(request, out, err, context);
    return std::nullopt;
}

} // namespace padrix
