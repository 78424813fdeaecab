#include "app/command_line.h"

#include "app/practice_round.h"
#include "app/window_module.h"
#include "engine/check/answer_check.h"
#include "engine/practice/generator.h"
#include "engine/practice/set_code.h"
#include "engine/problem/problem.h"
#include "engine/solve.h"
#include "engine/version.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace tobarin {

namespace {

// Everything is written as UTF-8 bytes, whatever the locale.
void write(std::FILE *stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

void out(std::string_view line)
{
    write(stdout, std::string(line) + "\n");
}

// The standard output is flushed first, so that where both streams go to one
// place the report still follows the working before it.
void err(std::string_view line)
{
    std::fflush(stdout);
    write(stderr, std::string(line) + "\n");
}

int usageError(const QString &message)
{
    err("tobarin: " + message.toStdString());
    err("Try 'tobarin --help'.");
    return 2;
}

// Qt 6 reads the arguments as UTF-8 whatever the locale, and the output is
// written as UTF-8 bytes. Where the locale's character type is not UTF-8
// (LC_ALL=C), later Qt versions switch it to one that is and say so on the
// error stream; choosing C.UTF-8 first keeps that stream for the program's
// own reports.
void useUtf8Locale()
{
    std::setlocale(LC_ALL, "");
    const char *codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "UTF-8") != 0 && std::strcmp(codeset, "utf8") != 0) {
        ::setenv("LC_ALL", "C.UTF-8", 1);
    }
}

struct Request {
    std::string expression;
    bool improper;
    bool steps;
    Method method;
    std::optional<std::string> answer;
};

// Calculates on a window held in memory, as the window itself would.
int calculate(const Request &request)
{
    const Parsed<Problem> problem = readProblem(request.expression);
    if (!problem.value) {
        err(problem.error);
        return 2;
    }
    std::optional<WrittenNumber> answer;
    if (request.answer) {
        Parsed<WrittenNumber> typed = readNumber(*request.answer);
        if (!typed.value) {
            err(typed.error);
            return 2;
        }
        answer = std::move(typed.value);
    }

    const Solution solution = solve(*problem.value,
        request.improper ? AnswerForm::Improper : AnswerForm::Mixed, request.method);
    if (answer) {
        // The verdict first; the working, which ends with the answer, only
        // for an answer of the right value.
        const AnswerCheck check = checkAnswer(solution, *answer);
        const int status = exitStatus(check.verdict);
        (status == 1 || status == 2 ? err : out)(check.text);
        if (request.steps && (status == 0 || status == 3)) {
            write(stdout, workingText(solution.working, false));
        }
        return status;
    }
    if (request.steps) {
        write(stdout, workingText(solution.working, false));
    }
    if (!solution.answer) {
        err(solution.working.report);
        return 1;
    }
    out(numberText(*solution.answer));
    return 0;
}

// The options of a practice set.
const QString PracticeName = QStringLiteral("practice");
const QString LevelName = QStringLiteral("level");
const QString CountName = QStringLiteral("count");
const QString SeedName = QStringLiteral("seed");
const QString ListName = QStringLiteral("list");
// And of its worksheet.
const QString WorksheetName = QStringLiteral("worksheet");
const QString KeyName = QStringLiteral("key");
const QString WorkingName = QStringLiteral("working");
const QString UrlName = QStringLiteral("url");

// --practice UNIT|CODE [--level L] [--count N] [--seed S]: the code of the set,
// read from CODE, or made from UNIT and the other options, with the seed drawn
// when none is given; or the usage error that says what is allowed.
Parsed<practice::SetCode> practiceCode(const QCommandLineParser &parser)
{
    using namespace practice;
    const auto refused = [](std::string message) {
        return Parsed<SetCode> {std::nullopt, std::move(message)};
    };
    const std::string named = parser.value(PracticeName).toStdString();
    const bool anyPart
        = parser.isSet(LevelName) || parser.isSet(CountName) || parser.isSet(SeedName);
    if (named.find(':') != std::string::npos) {
        if (anyPart) {
            return refused("--level, --count and --seed go with a unit, not with a set code, "
                           "which holds them.");
        }
        return parseSetCode(named);
    }
    const Parsed<Unit> unit = parseUnit(named);
    if (!unit.value) {
        return refused(unit.error);
    }
    SetCode code;
    code.unit = *unit.value;
    if (parser.isSet(LevelName)) {
        const Parsed<int> level = parseLevel(parser.value(LevelName).toStdString());
        if (!level.value) {
            return refused("--level: " + level.error);
        }
        code.level = *level.value;
    }
    if (parser.isSet(CountName)) {
        const Parsed<int> count = parseCount(parser.value(CountName).toStdString());
        if (!count.value) {
            return refused("--count: " + count.error);
        }
        code.count = *count.value;
    }
    if (parser.isSet(SeedName)) {
        const Parsed<std::uint64_t> seed = parseSeed(parser.value(SeedName).toStdString());
        if (!seed.value) {
            return refused("--seed: " + seed.error);
        }
        code.seed = *seed.value;
    } else {
        // Any seed will do; six digits keep the code short enough to copy.
        code.seed = std::random_device {}() % 1000000U;
    }
    return {code, {}};
}

// Writes a set's worksheet. It is drawn with Qt Gui, whose QGuiApplication
// takes the place of the command line's QCoreApplication: that one ends here.
int worksheet(const practice::SetCode &code, const WorksheetOptions &options,
    const std::string &path, std::optional<QCoreApplication> &application)
{
    application.reset();
    std::string message;
    const int status = writeWorksheetInModule(code, options, path, message);
    if (status == 0) {
        out(message);
    } else {
        err("tobarin: " + message);
    }
    return status;
}

// Where the practice record is kept, as the desktop window keeps it.
const QString RecordKey = QStringLiteral("practice/record");

// A practice set: with --list, its code and its problems with their tags;
// with --worksheet, its sheet to print; otherwise answered here, one problem
// at a time.
int practise(
    const QCommandLineParser &parser, Method method, std::optional<QCoreApplication> &application)
{
    for (const QString &name :
        {PracticeName, LevelName, CountName, SeedName, WorksheetName, UrlName}) {
        if (parser.values(name).size() > 1) {
            return usageError(QStringLiteral("--practice, --level, --count, --seed, --worksheet "
                                             "and --url may be given once each."));
        }
    }
    if (parser.isSet(WorksheetName) && parser.isSet(ListName)) {
        return usageError(QStringLiteral("--worksheet goes without --list."));
    }
    if (parser.isSet(WorksheetName) && parser.value(WorksheetName).isEmpty()) {
        return usageError(QStringLiteral("--worksheet needs the name of the file to write."));
    }
    if (parser.isSet(UrlName) && parser.value(UrlName).isEmpty()) {
        return usageError(QStringLiteral("--url needs the page's address."));
    }
    if (parser.value(UrlName).contains(QLatin1Char('#'))) {
        return usageError(
            QStringLiteral("--url takes the page's address without a '#': the sheet adds one."));
    }
    const Parsed<practice::SetCode> code = practiceCode(parser);
    if (!code.value) {
        return usageError(QString::fromStdString(code.error));
    }
    if (parser.isSet(WorksheetName)) {
        const WorksheetOptions options {parser.isSet(KeyName), parser.isSet(WorkingName),
            parser.value(UrlName).toStdString(), method};
        return worksheet(
            *code.value, options, parser.value(WorksheetName).toStdString(), application);
    }
    const practice::PracticeSet set = practice::practiceSet(*code.value);
    if (parser.isSet(ListName)) {
        write(stdout, practice::listingText(set));
        return 0;
    }
    // The record is kept where the desktop window keeps it.
    QSettings settings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin"));
    practice::Record record
        = practice::Record::fromText(settings.value(RecordKey).toString().toStdString());
    const int status = practiseRound(set, method, stdin, stdout, record);
    settings.setValue(RecordKey, QString::fromStdString(record.text()));
    return status;
}

}  // namespace

bool wantsCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--") || argument == "-h" || argument == "-?"
            || argument == "-v") {
            return true;
        }
    }
    return false;
}

int runCommandLine(int argc, char **argv)
{
    useUtf8Locale();
    // Ended early where a worksheet needs a QGuiApplication in its place.
    std::optional<QCoreApplication> application;
    application.emplace(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tobarin"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(version::Text));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Fraction calculator. Without options it opens its window; with --calc it\n"
        "calculates without one and writes the answer as one line: 2 5/12, -1/6, 3.\n"
        "\n"
        "EXPR is 2 to 8 numbers joined by operations: 1 2/3 + 3/4, -5/6 * 1/4,\n"
        "2と1/2 ÷ 3, 1/2 - (-1/3), 1/2 + 1/3 - 1/4, 2/3 - 1/2 × 3/4,\n"
        "0.6 × 5/9 ÷ 1.2, (3/4 - 1/3) × 12/5, -3² + (-1/2)^2 × 8.\n"
        "A number is W, N/D, W N/D, WとN/D, D分のN or a decimal of up to three places\n"
        "(1.25), with \"-\" in front when negative, in parentheses or not. The\n"
        "operations are + - * / or × ÷; × and ÷ are worked before + and -, and\n"
        "parentheses (up to three deep) first. A power ² ³ ⁴ (or ^2 ^3 ^4) follows a\n"
        "whole number, a decimal or \")\": -3² is -9, (-3)² is 9, and a fraction is\n"
        "raised in parentheses, (2/3)². After an operation a number may have its own\n"
        "sign: 2 × -3 is 2 × (-3). Digits, signs, \"/\" and parentheses may be\n"
        "full-width, as a Japanese input method types them: １／２＋３／４. A \"/\"\n"
        "that divides needs blanks around it when it stands next to a fraction:\n"
        "2/3 / 9.\n"
        "\n"
        "ANSWER is one number written the same way (２と５／１２, （－５／４）), or a\n"
        "decimal (1.25).\n"
        "\n"
        "With --practice and --list it writes a practice set of a textbook unit: a line\n"
        "# and the set's code, then one problem a line, EXPR as --calc reads it, a tab\n"
        "and its tags (what it practises: carry, borrow, cancel...). The units:\n"
        "4-like (小4 分母が同じ分数のたし算・ひき算), 5-unlike (小5 分母がちがう分数),\n"
        "5-mixed (小5 帯分数), 6-times-whole (小6 分数×整数・分数÷整数), 6-times\n"
        "(小6 分数のかけ算), 6-divide (小6 分数のわり算), 7-signed (中1 正の数・負の数).\n"
        "The code (p1:UNIT:LEVEL:COUNT:SEED) gives the same set again. Without --list\n"
        "the set is answered here, one answer a line; a wrong answer is told its hint\n"
        "and may be tried once more, a second miss shows the working (as --method\n"
        "chooses). The last line is the score, N問中M問正解, and the time.\n"
        "With --worksheet FILE.pdf instead of --list it writes the set as a worksheet\n"
        "to print (an A4 PDF, 20 problems a page), with --key its answer key and with\n"
        "--working each problem's working.\n"
        "\n"
        "Exit status: 0 done, or the checked answer is right; 1 the problem has no\n"
        "answer; 2 the command line, EXPR or ANSWER cannot be read, or ANSWER is a\n"
        "decimal that does not end (0.333...); 3 the checked answer has the right\n"
        "value but is not finished (not reduced, the fraction of a mixed number 1 or\n"
        "more, an integer part 0, -0, or a decimal); 4 the checked answer is wrong."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption calc(QStringLiteral("calc"),
        QStringLiteral("Calculate EXPR and write the answer."), QStringLiteral("EXPR"));
    const QCommandLineOption improper(
        QStringLiteral("improper"), QStringLiteral("Write the answer as an improper fraction."));
    const QCommandLineOption steps(QStringLiteral("steps"),
        QStringLiteral("Write the working, step by step, before the answer; with "
                       "--check, after the verdict and only for the right value."));
    const QCommandLineOption method(QStringLiteral("method"),
        QStringLiteral("How --steps works sums and differences of mixed numbers: improper "
                       "(make them improper fractions first, the default) or mixed (whole "
                       "parts and fraction parts each, carrying and borrowing)."),
        QStringLiteral("METHOD"));
    const QCommandLineOption check(QStringLiteral("check"),
        QStringLiteral("Check ANSWER (a number, like 2 5/12) instead of writing the answer."),
        QStringLiteral("ANSWER"));
    parser.addOptions({calc, improper, steps, method, check});
    parser.addOptions({
        QCommandLineOption(PracticeName,
            QStringLiteral("Make a practice set of UNIT, or the set of a CODE written by --list."),
            QStringLiteral("UNIT|CODE")),
        QCommandLineOption(LevelName,
            QStringLiteral("The practice set's level: 1, 2 (the default) or 3 (beyond the "
                           "textbook)."),
            QStringLiteral("L")),
        QCommandLineOption(CountName,
            QStringLiteral("How many problems the practice set has: 1 to 50, 10 by default."),
            QStringLiteral("N")),
        QCommandLineOption(SeedName,
            QStringLiteral("The practice set's seed, a whole number; drawn at random when not "
                           "given, and written into the code."),
            QStringLiteral("S")),
        QCommandLineOption(ListName,
            QStringLiteral("Write the practice set: its code, then each problem and its tags.")),
        QCommandLineOption(WorksheetName,
            QStringLiteral("Write the practice set as a worksheet to print, an A4 PDF, to FILE."),
            QStringLiteral("FILE")),
        QCommandLineOption(KeyName,
            QStringLiteral("With --worksheet: add the answer key, the same pages with the "
                           "answers filled in.")),
        QCommandLineOption(WorkingName,
            QStringLiteral("With --worksheet: add each problem's working, step by step.")),
        QCommandLineOption(UrlName,
            QStringLiteral("With --worksheet: print a QR code of BASE#practice=CODE, which "
                           "opens the same set on the page at BASE."),
            QStringLiteral("BASE")),
    });

    if (!parser.parse(QCoreApplication::arguments())) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Usage names the program, not the path it was started by.
        QString text = parser.helpText();
        text.replace(text.indexOf(QCoreApplication::arguments().constFirst()),
            QCoreApplication::arguments().constFirst().size(), QStringLiteral("tobarin"));
        write(stdout, text.toStdString());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        out("tobarin " + QCoreApplication::applicationVersion().toStdString());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(
            QStringLiteral("unexpected argument: ") + parser.positionalArguments()[0]);
    }
    if (parser.values(method).size() > 1) {
        return usageError(QStringLiteral("--method may be given once."));
    }
    const QString methodName = parser.value(method);
    if (parser.isSet(method) && methodName != QLatin1String("improper")
        && methodName != QLatin1String("mixed")) {
        return usageError(
            QStringLiteral("--method is improper or mixed, not '%1'.").arg(methodName));
    }
    const Method chosen
        = methodName == QLatin1String("mixed") ? Method::KeepMixed : Method::MakeImproper;
    if ((parser.isSet(KeyName) || parser.isSet(WorkingName) || parser.isSet(UrlName))
        && !parser.isSet(WorksheetName)) {
        return usageError(QStringLiteral("--key, --working and --url need --worksheet FILE."));
    }
    if (parser.isSet(PracticeName)) {
        if (parser.isSet(calc) || parser.isSet(check) || parser.isSet(improper)
            || parser.isSet(steps)) {
            return usageError(
                QStringLiteral("--practice goes without --calc, --check, --improper and --steps."));
        }
        return practise(parser, chosen, application);
    }
    if (parser.isSet(WorksheetName)) {
        return usageError(QStringLiteral("--worksheet needs --practice UNIT|CODE."));
    }
    if (parser.isSet(LevelName) || parser.isSet(CountName) || parser.isSet(SeedName)
        || parser.isSet(ListName)) {
        return usageError(QStringLiteral("--level, --count, --seed and --list need --practice "
                                         "UNIT|CODE."));
    }
    if (!parser.isSet(calc)) {
        const bool needsCalc = parser.isSet(check) || parser.isSet(improper) || parser.isSet(steps)
            || parser.isSet(method);
        return usageError(needsCalc
                ? QStringLiteral("--check, --improper, --method and --steps need --calc EXPR.")
                : QStringLiteral("nothing to do: give --calc EXPR."));
    }
    if (parser.values(calc).size() > 1 || parser.values(check).size() > 1) {
        return usageError(QStringLiteral("--calc and --check may be given once each."));
    }
    Request request {parser.value(calc).toStdString(), parser.isSet(improper), parser.isSet(steps),
        chosen, std::nullopt};
    if (parser.isSet(check)) {
        request.answer = parser.value(check).toStdString();
    }
    return calculate(request);
}

}  // namespace tobarin
