#include "app/CommandLine.h"

#include "core/CalcFailure.h"
#include "core/NumberText.h"
#include "eval/Evalation.h"

#include <QCommandLineParser>
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
    formula = bindVariables(formula, x, t);
    try {
        const std::string result = EvalFormula(formula);
        out << QString::fromStdString(result) << Qt::endl;
        return Evalation::isErrorText(result) ? 1 : 0;
    } catch (const CalcError& e) {
        err << "Error: " << failureName(e.kind()) << Qt::endl;
        return 1;
    }
}

} // namespace

std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out,
                                  QTextStream& err) {
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
    parser.addOptions({help, version, eval, x, t});

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
    if (parser.isSet(eval)) return evaluate(parser, out, err);
    if ((parser.isSet(x) || parser.isSet(t))) {
        err << "--x and --t go with --eval." << Qt::endl;
        return 2;
    }
    return std::nullopt;
}

} // namespace padrix
