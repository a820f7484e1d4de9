#include "app/CommandLine.h"

#include "core/CalcFile.h"
#include "core/Recalculation.h"
#include "core/SettingsFile.h"
#include "eval/Evalation.h"
#include "numbers/CalcFailure.h"
#include "numbers/NumberText.h"

#include <QCommandLineParser>
#include <QIODevice>
#include <QTextStream>

namespace padrix {

namespace {

/// A value for X or T: a number is written out in plain figures ("1E+3" becomes 1000); any
/// other text is passed on as it stands, for the evaluator to judge.
std::string variableText(const QString& value) {
    const std::string text = value.trimmed().toStdString();
    try {
        return textToDecimal(text, NumberLocale::english()).toString();
    } catch (const CalcError&) {
        return text;
    }
}

int evaluate(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    std::string formula = parser.value(QStringLiteral("eval")).toStdString();
    const std::string x =
        parser.isSet(QStringLiteral("x")) ? variableText(parser.value(QStringLiteral("x"))) : "";
    const std::string t =
        parser.isSet(QStringLiteral("t")) ? variableText(parser.value(QStringLiteral("t"))) : "";
    try {
        formula = bindVariables(formula, x, t);
        const std::string result = EvalFormula(formula);
        out << QString::fromStdString(result) << Qt::endl;
        return Evalation::isErrorText(result) ? 1 : 0;
    } catch (const CalcError& e) {
        err << "Error: " << failureName(e.kind()) << Qt::endl;
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
    const QStringList names = {QStringLiteral("numbers"), QStringLiteral("average"),
                               QStringLiteral("mean"), QStringLiteral("mode")};
    const auto index = names.indexOf(text);
    return index >= 0 ? std::optional<int>(static_cast<int>(index)) : std::nullopt;
}

int total(const QCommandLineParser& parser, QTextStream& out, QTextStream& err,
          const CommandLineContext& context) {
    RecalcSettings settings;
    settings.locale = context.locale;
    if (parser.isSet(QStringLiteral("decimals"))) {
        const auto choice = decimalsChoice(parser.value(QStringLiteral("decimals")));
        if (!choice) {
            err << "--decimals takes 0 to 6 or variable." << Qt::endl;
            return 2;
        }
        settings.DecimalsChoice = *choice;
    }
    if (parser.isSet(QStringLiteral("mode"))) {
        const auto mode = totalMode(parser.value(QStringLiteral("mode")));
        if (!mode) {
            err << "--mode takes numbers, average, mean or mode." << Qt::endl;
            return 2;
        }
        settings.TotalMode = *mode;
    }

    Settings stored;
    if (parser.isSet(QStringLiteral("settings"))) {
        const QString settingsPath = parser.value(QStringLiteral("settings"));
        const auto read = loadSettingsFile(settingsPath);
        if (!read) {
            err << "cannot read the settings file " << settingsPath << Qt::endl;
            return 1;
        }
        stored = *read;
    }
    settings.buttons = &stored.buttons;

    const QString path = parser.value(QStringLiteral("total"));
    std::string error;
    std::optional<Tape> tape;
    if (path == QLatin1String("-")) {
        if (context.standardInput != nullptr)
            tape =
                loadCalcStream(*context.standardInput, "standard input", settings.locale, &error);
        else
            error = "standard input: nothing to read";
    } else {
        tape = loadCalcFile(path, settings.locale, &error);
    }
    if (!tape) {
        err << QString::fromStdString(error) << Qt::endl;
        return 1;
    }
    // An error word is printed like a number, but the status tells a script it is none.
    const GrandTotal grandTotal = MailCalc(*tape, settings);
    out << QString::fromStdString(grandTotal.text) << Qt::endl;
    return grandTotal.failed ? 1 : 0;
}

} // namespace

std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                                  const CommandLineContext& context) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Padrix Calculator: a tape calculator with exact decimal arithmetic."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
    const QCommandLineOption eval(
        QStringLiteral("eval"),
        QStringLiteral("Evaluates a function-button formula, prints the result and exits."),
        QStringLiteral("formula"));
    const QCommandLineOption x(QStringLiteral("x"),
                               QStringLiteral("The value of X in the --eval formula."),
                               QStringLiteral("value"));
    const QCommandLineOption t(QStringLiteral("t"),
                               QStringLiteral("The value of T in the --eval formula."),
                               QStringLiteral("value"));
    const QCommandLineOption totalOption(
        QStringLiteral("total"),
        QStringLiteral("Prints the grand total of a calculation file (- reads standard input) "
                       "and exits."),
        QStringLiteral("file"));
    const QCommandLineOption decimals(
        QStringLiteral("decimals"),
        QStringLiteral("Decimals of the --total: 0 to 6, or variable (the default)."),
        QStringLiteral("places"));
    const QCommandLineOption mode(
        QStringLiteral("mode"),
        QStringLiteral("What the --total shows: numbers (the default), average, mean or mode."),
        QStringLiteral("mode"));
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QStringLiteral("The settings file whose function buttons the --total uses."),
        QStringLiteral("file"));
    parser.addOptions({help, version, eval, x, t, totalOption, decimals, mode, settingsOption});

    if (!parser.parse(arguments)) {
        err << parser.errorText() << Qt::endl << Qt::endl << parser.helpText();
        err.flush();
        return 2;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        out.flush();
        return 0;
    }
    if (parser.isSet(version)) {
        out << "padrix-calculator " << PADRIX_VERSION << Qt::endl;
        return 0;
    }
    if (parser.isSet(eval))
        return evaluate(parser, out, err);
    if (parser.isSet(totalOption))
        return total(parser, out, err, context);
    if (parser.isSet(x) || parser.isSet(t)) {
        err << "--x and --t go with --eval." << Qt::endl;
        return 2;
    }
    if (parser.isSet(decimals) || parser.isSet(mode) || parser.isSet(settingsOption)) {
        err << "--decimals, --mode and --settings go with --total." << Qt::endl;
        return 2;
    }
    return std::nullopt;
}

} // namespace padrix
