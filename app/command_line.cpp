#include "app/command_line.h"

#include "app/class_results.h"
#include "app/practice_round.h"
#include "app/window_module.h"
#include "engine/check/answer_check.h"
#include "engine/number/written_number.h"
#include "engine/practice/generator.h"
#include "engine/practice/round.h"
#include "engine/practice/set_code.h"
#include "engine/problem/problem.h"
#include "engine/results/result_code.h"
#include "engine/solve.h"
#include "engine/version.h"
#include "ui/system/kept_file.h"
#include "ui/system/record_file.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <langinfo.h>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace tobarin {

namespace {

// Why a write on standard output or standard error first failed (an error
// number), kept for the report at the end: an unbuffered stream's error is
// not seen again when it is flushed.
int &writeError(std::FILE *stream)
{
    static int output = 0;
    static int error = 0;
    return stream == stderr ? error : output;
}

// Everything is written as UTF-8 bytes, whatever the locale.
void write(std::FILE *stream, std::string_view text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()
        && writeError(stream) == 0) {
        writeError(stream) = errno;
    }
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

// The length of the valid UTF-8 character at the start of `bytes` (no
// overlong form, no surrogate, nothing above U+10FFFF), or 0.
std::size_t utf8Length(std::string_view bytes)
{
    const auto byte = [bytes](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0U;
    };
    const auto follows = [&byte](std::size_t i) { return (byte(i) & 0xC0U) == 0x80U; };
    const unsigned lead = byte(0);
    if (lead < 0x80U) {
        return 1;
    }
    if (lead >= 0xC2U && lead <= 0xDFU) {
        return follows(1) ? 2 : 0;
    }
    if (lead >= 0xE0U && lead <= 0xEFU) {
        const bool second = (lead == 0xE0U && byte(1) >= 0xA0U)
            || (lead == 0xEDU && byte(1) < 0xA0U) || (lead != 0xE0U && lead != 0xEDU);
        return second && follows(1) && follows(2) ? 3 : 0;
    }
    if (lead >= 0xF0U && lead <= 0xF4U) {
        const bool second = (lead == 0xF0U && byte(1) >= 0x90U)
            || (lead == 0xF4U && byte(1) < 0x90U) || (lead != 0xF0U && lead != 0xF4U);
        return second && follows(1) && follows(2) && follows(3) ? 4 : 0;
    }
    return 0;
}

// An argument as the parser takes it: decoded from UTF-8, each byte that is
// not UTF-8 kept as a lone surrogate U+DC80 to U+DCFF, which no UTF-8 text
// decodes to, so that bytesOf gives the argument's bytes back exactly: a
// file name is used as given, and a text the engine refuses is shown as it
// was (\xff).
QString argumentText(std::string_view bytes)
{
    QString text;
    while (!bytes.empty()) {
        const std::size_t length = utf8Length(bytes);
        if (length == 0) {
            text += QChar(static_cast<char16_t>(0xDC00U + static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
        } else {
            text += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(length));
            bytes.remove_prefix(length);
        }
    }
    return text;
}

std::string bytesOf(const QString &text)
{
    std::string bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0xDC80U && c <= 0xDCFFU && (i == 0 || !text[i - 1].isHighSurrogate())) {
            bytes += text.mid(start, i - start).toStdString() + static_cast<char>(c - 0xDC00U);
            start = i + 1;
        }
    }
    return bytes + text.mid(start).toStdString();
}

// What a message shows of an argument: cut, and with its control characters escaped.
QString shown(const QString &argument)
{
    return QString::fromStdString(echoed(bytesOf(argument)));
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
    // An answer of several fractions where the problem asks for 通分.
    std::optional<std::vector<WrittenNumber>> answer;
    if (request.answer) {
        const std::optional<Conversion> &conversion = problem.value->conversion;
        Parsed<std::vector<WrittenNumber>> typed;
        if (conversion && conversion->asked == AskedForm::Common) {
            typed = readAnswers(*request.answer);
        } else if (Parsed<WrittenNumber> one = readAnswer(*request.answer); one.value) {
            typed.value = std::vector<WrittenNumber> {*one.value};
        } else {
            typed.error = one.error;
        }
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
    if (!hasAnswer(solution)) {
        err(solution.working.report);
        return 1;
    }
    out(answerText(solution));
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
const QString BoxesName = QStringLiteral("boxes");
const QString UrlName = QStringLiteral("url");
// The 出席番号 of a round's result code, and the class's results read from codes.
const QString NumberName = QStringLiteral("number");
const QString ResultsName = QStringLiteral("results");
const QString CsvName = QStringLiteral("csv");

// --practice UNIT|CODE [--level L] [--count N] [--seed S]: the code of the set,
// read from CODE, or made from UNIT and the other options, with the seed drawn
// when none is given; or the usage error that says what is allowed.
Parsed<practice::SetCode> practiceCode(const QCommandLineParser &parser)
{
    using namespace practice;
    const auto refused = [](std::string message) {
        return Parsed<SetCode> {std::nullopt, std::move(message)};
    };
    // A code or a unit typed with an input method reads as the windows read it.
    const std::string named = codeAsTyped(bytesOf(parser.value(PracticeName)));
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
        const Parsed<int> level = parseLevel(bytesOf(parser.value(LevelName)));
        if (!level.value) {
            return refused("--level: " + level.error);
        }
        code.level = *level.value;
    }
    if (parser.isSet(CountName)) {
        const Parsed<int> count = parseCount(bytesOf(parser.value(CountName)));
        if (!count.value) {
            return refused("--count: " + count.error);
        }
        code.count = *count.value;
    }
    if (parser.isSet(SeedName)) {
        const Parsed<std::uint64_t> seed = parseSeed(bytesOf(parser.value(SeedName)));
        if (!seed.value) {
            return refused("--seed: " + seed.error);
        }
        code.seed = *seed.value;
    } else {
        code = newSetCode(code.unit, code.level, code.count, std::random_device {}());
    }
    return {code, {}};
}

// Writes a set's pupils' sheet, its answer key, or both. They are drawn with
// Qt Gui, whose QGuiApplication takes the place of the command line's
// QCoreApplication: that one ends here.
int worksheet(const practice::SetCode &code, const WorksheetOptions &options,
    const WorksheetFiles &files, std::optional<QCoreApplication> &application)
{
    application.reset();
    std::string wrote;
    std::string error;
    const int status = writeWorksheetInModule(code, options, files, wrote, error);
    if (!wrote.empty()) {
        out(wrote);
    }
    if (status != 0) {
        err("tobarin: " + error);
    }
    return status;
}

// Whether two names, neither of which need exist yet, name one file:
// "s.pdf" and "./s.pdf" do.
bool sameFile(const std::string &first, const std::string &second)
{
    const auto canonical = [](const std::string &name, std::error_code &error) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(name, error), error);
    };
    std::error_code error;
    const std::filesystem::path a = canonical(first, error);
    const std::filesystem::path b = error ? std::filesystem::path() : canonical(second, error);
    return first == second || (!error && a == b);
}

// The longest address a sheet's QR code takes: one that still reads at the
// size the sheet prints it.
constexpr int MostUrlCharacters = 300;

// Whether `url` is an address the sheet's QR code may hold: a web page's
// (http: or https:, a host after "//"), with no blank or control character,
// and short enough.
bool pageAddress(const QString &url)
{
    const QList<uint> characters = url.toUcs4();
    if (characters.size() > MostUrlCharacters) {
        return false;
    }
    for (const auto c : characters) {
        if (QChar::isSpace(c) || QChar::category(c) == QChar::Other_Control
            || QChar::category(c) == QChar::Other_Format) {
            return false;
        }
    }
    // Nor a byte that is not UTF-8.
    const std::string bytes = bytesOf(url);
    for (std::string_view rest = bytes; !rest.empty();) {
        const std::size_t length = utf8Length(rest);
        if (length == 0) {
            return false;
        }
        rest.remove_prefix(length);
    }
    for (const QLatin1StringView scheme :
        {QLatin1StringView("http://"), QLatin1StringView("https://")}) {
        if (url.startsWith(scheme, Qt::CaseInsensitive) && url.size() > scheme.size()) {
            return true;
        }
    }
    return false;
}

// A practice round's results, each merged into the record as it is kept now
// (ui/system/record_file.h), so that rounds and windows at the same time each keep
// theirs. A record that cannot be kept, and lines of it that cannot be read
// (kept as they are), are told once on standard error; the former makes the
// exit status 1.
class RoundRecord {
public:
    explicit RoundRecord(const practice::PracticeSet &set)
        : m_set(set)
    {
    }

    void note(std::size_t problem, practice::Round::Result result)
    {
        bool unread = false;
        const std::string error = m_file.change([&](practice::Record &record) {
            unread = !record.unread().empty();
            record.note(m_set.code.unit, m_set.problems.at(problem).tags, result);
        });
        if (!error.empty() && !m_failed) {
            m_failed = true;
            err(practice::RecordNotSaved);
            err("tobarin: " + error);
        }
        if (error.empty() && unread && !m_toldUnread) {
            m_toldUnread = true;
            err(practice::RecordUnreadKept);
            err("tobarin: " + shownPath(m_file.path())
                + ": lines this version cannot read, kept as they were");
        }
    }

    [[nodiscard]] bool failed() const { return m_failed; }

private:
    const practice::PracticeSet &m_set;
    RecordFile m_file;
    bool m_failed = false;
    bool m_toldUnread = false;
};

// A practice set: with --list, its code and its problems with their tags;
// with --worksheet and --key, its sheet and its key to print; otherwise
// answered here, one problem at a time.
int practise(const QCommandLineParser &parser, std::optional<Method> method,
    std::optional<QCoreApplication> &application)
{
    for (const QString &name : {PracticeName, LevelName, CountName, SeedName, WorksheetName,
             KeyName, UrlName, NumberName}) {
        if (parser.values(name).size() > 1) {
            return usageError(QStringLiteral("--practice, --level, --count, --seed, --worksheet, "
                                             "--key, --url and --number may be given once each."));
        }
    }
    const bool sheet = parser.isSet(WorksheetName);
    const bool key = parser.isSet(KeyName);
    if ((sheet || key) && parser.isSet(ListName)) {
        return usageError(QStringLiteral("--worksheet and --key go without --list."));
    }
    for (const QString &name : {WorksheetName, KeyName}) {
        // An option's name where the file's should be is a file name left
        // out ("--key --working"), not a file to write.
        const QString file = parser.value(name);
        if (parser.isSet(name) && (file.isEmpty() || file.startsWith(QStringLiteral("--")))) {
            return usageError(
                QStringLiteral("--%1 needs the name of the file to write%2.")
                    .arg(name,
                        file.isEmpty() ? QString()
                                       : QStringLiteral(", not '%1'").arg(shown(file))));
        }
    }
    if (sheet && key
        && sameFile(bytesOf(parser.value(WorksheetName)), bytesOf(parser.value(KeyName)))) {
        return usageError(QStringLiteral(
            "--worksheet and --key take two files: the answer key is never in the pupils' sheet."));
    }
    if (parser.isSet(UrlName) && parser.value(UrlName).isEmpty()) {
        return usageError(QStringLiteral("--url needs the page's address."));
    }
    if (parser.value(UrlName).contains(QLatin1Char('#'))) {
        return usageError(
            QStringLiteral("--url takes the page's address without a '#': the sheet adds one."));
    }
    if (parser.isSet(UrlName) && !pageAddress(parser.value(UrlName))) {
        return usageError(
            QStringLiteral("--url takes an http: or https: address of at most %1 "
                           "characters, in UTF-8 without blanks or control characters, "
                           "not '%2'.")
                .arg(MostUrlCharacters)
                .arg(shown(parser.value(UrlName))));
    }
    const Parsed<practice::SetCode> code = practiceCode(parser);
    if (!code.value) {
        return usageError(QString::fromStdString(code.error));
    }
    if (parser.isSet(NumberName) && (parser.isSet(ListName) || sheet || key)) {
        return usageError(QStringLiteral("--number goes with a set answered here, not with "
                                         "--list, --worksheet or --key."));
    }
    // The 出席番号 for the round's result code (0: none given); not kept
    // between runs.
    const Parsed<int> number = parser.isSet(NumberName)
        ? results::parseNumber(bytesOf(parser.value(NumberName)))
        : Parsed<int> {0, {}};
    if (!number.value) {
        return usageError(QStringLiteral("--number: ") + QString::fromStdString(number.error));
    }
    if (sheet || key) {
        const WorksheetOptions options {false, parser.isSet(WorkingName), parser.isSet(BoxesName),
            bytesOf(parser.value(UrlName)), practice::workingMethod(code.value->unit, method)};
        const WorksheetFiles files {
            bytesOf(parser.value(WorksheetName)), bytesOf(parser.value(KeyName))};
        return worksheet(*code.value, options, files, application);
    }
    const practice::PracticeSet set = practice::practiceSet(*code.value);
    if (parser.isSet(ListName)) {
        write(stdout, practice::listingText(set));
        return 0;
    }
    RoundRecord record(set);
    const int status = practiseRound(set, method, *number.value, stdin, stdout,
        [&record](
            std::size_t problem, practice::Round::Result result) { record.note(problem, result); });
    return record.failed() ? 1 : status;
}

// --results FILE|- [--csv]: the class's results from the pupils' result
// codes, each line that cannot be read said on standard error.
int classResults(const QCommandLineParser &parser)
{
    for (const QString &name : parser.optionNames()) {
        if (name != ResultsName && name != CsvName) {
            return usageError(QStringLiteral("--results goes with --csv alone."));
        }
    }
    if (parser.values(ResultsName).size() > 1) {
        return usageError(QStringLiteral("--results may be given once."));
    }
    const ClassResultsRun run
        = classResultsRun(bytesOf(parser.value(ResultsName)), parser.isSet(CsvName));
    for (const std::string &report : run.reports) {
        err(report);
    }
    write(stdout, run.output);
    return run.status;
}

}  // namespace

bool wantsCommandLine(int argc, char **argv)
{
    // Qt's options for a window, which QApplication reads (and the X11
    // platform's): those followed by a value, those that stand alone, and
    // those written with their value after "=".
    constexpr std::string_view WithValue[] = {"-platform", "-platformpluginpath", "-platformtheme",
        "-plugin", "-qwindowgeometry", "-geometry", "-qwindowtitle", "-title", "-qwindowicon",
        "-icon", "-display", "-name", "-session", "-style", "-stylesheet", "-visual", "-ncols",
        "-cmap", "-im", "-inputstyle"};
    constexpr std::string_view Alone[]
        = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync", "-testability"};
    constexpr std::string_view Joined[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};
    const auto among = [](std::string_view argument, std::span<const std::string_view> names) {
        return std::find(names.begin(), names.end(), argument) != names.end();
    };
    const std::span<char *> arguments(argv, static_cast<std::size_t>(argc));
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (among(argument, WithValue) && i + 1 < arguments.size()) {
            ++i;
        } else if (!among(argument, Alone)
            && std::none_of(std::begin(Joined), std::end(Joined),
                [argument](std::string_view joined) { return argument.starts_with(joined); })) {
            return true;
        }
    }
    return false;
}

namespace {

// Whether a stream was written whole, once flushed; or why not.
std::optional<std::string> writeFailure(std::FILE *stream)
{
    errno = 0;
    const bool flushed = std::fflush(stream) == 0;
    if (flushed && std::ferror(stream) == 0) {
        return std::nullopt;
    }
    const int error = !flushed && errno != 0 ? errno : writeError(stream);
    return error != 0 ? std::strerror(error) : "a write failed";
}

// The exit status once everything written is flushed: 1 when standard output
// or standard error could not be written, which is said on the other.
int finished(int status)
{
    if (const auto failure = writeFailure(stdout)) {
        write(stderr, "tobarin: cannot write to standard output: " + *failure + "\n");
        (void)writeFailure(stderr);
        return 1;
    }
    if (const auto failure = writeFailure(stderr)) {
        write(stdout, "tobarin: cannot write to standard error: " + *failure + "\n");
        (void)writeFailure(stdout);
        return 1;
    }
    return status;
}

// Qt's unknown option names, said as the program says what it was given.
QString unknownOptions(const QCommandLineParser &parser, const QStringList &arguments,
    const QList<QCommandLineOption> &options)
{
    // A long option written with one dash (-calc) is read as short options:
    // said so, with the option meant.
    for (const QString &argument : arguments.mid(1)) {
        if (argument.startsWith(QLatin1Char('-')) && !argument.startsWith(QStringLiteral("--"))) {
            const QString word = argument.mid(1).section(QLatin1Char('='), 0, 0);
            for (const QCommandLineOption &option : options) {
                if (word.size() > 1 && option.names().contains(word)) {
                    return QStringLiteral("'%1': an option of a word takes two dashes: --%2.")
                        .arg(shown(argument), word);
                }
            }
        }
    }
    QStringList names;
    for (const QString &name : parser.unknownOptionNames()) {
        names << shown(name);
    }
    return names.size() == 1 ? QStringLiteral("Unknown option '%1'.").arg(names[0])
                             : QStringLiteral("Unknown options: %1.").arg(names.join(u", "));
}

int runOptions(int argc, char **argv)
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
        "EXPR may also be a conversion, a number and the form asked for after → (or\n"
        "->): 7/3 → 帯分数, 2 1/3 → 仮分数, 12/4 → 整数, 12/18 → 約分, 3/4 → 小数,\n"
        "0.6 → 分数, or two or three fractions joined by , 、 or と: 3/4, 5/6 → 通分.\n"
        "\n"
        "ANSWER is one number written the same way (２と５／１２, （－５／４）), or a\n"
        "decimal (1.25); of 通分, the fractions joined by , 、 と or blanks (9/12 10/12).\n"
        "\n"
        "With --practice and --list it writes a practice set of a textbook unit: a line\n"
        "# and the set's code, then one problem a line, EXPR as --calc reads it, a tab\n"
        "and its tags (what it practises: carry, borrow, cancel...). The units:\n"
        "4-like (小4 分母が同じ分数のたし算・ひき算), 5-unlike (小5 分母がちがう分数),\n"
        "5-mixed (小5 帯分数), 6-times-whole (小6 分数×整数・分数÷整数), 6-times\n"
        "(小6 分数のかけ算), 6-divide (小6 分数のわり算), 7-signed (中1 正の数・負の数),\n"
        "6-three (小6 分数・小数・整数のかけ算とわり算), 6-order (小6 計算の順序), 7-mixed\n"
        "(中1 正負の数の四則; these three have p2 codes only), and conversions, p2 codes\n"
        "only too: 4-convert (小4 仮分数と帯分数), 5-reduce (小5 約分), 5-common (小5 通分),\n"
        "5-decimal (小5 分数と小数).\n"
        "The code (p2:UNIT:LEVEL:COUNT:SEED; a p1 code of an earlier set still reads) gives\n"
        "the same set again. Without --list\n"
        "the set is answered here, one answer a line; a wrong answer is told its hint\n"
        "and may be tried once more, a second miss shows the working (as --method\n"
        "chooses). At the end, the line before the last is 結果コード: and the result\n"
        "code to hand to the teacher (with --number N, the pupil's 出席番号); the last\n"
        "line is the score, N問中M問正解, and the time from the first problem to the\n"
        "last answer. Input that ends early still gives both, the rest missed.\n"
        "With --worksheet FILE.pdf instead of --list it writes the set as a worksheet\n"
        "to hand out (an A4 PDF: a line for the date, class and name, a score box, the\n"
        "instruction; 10 problems a page with room to write for 4-like, 5-unlike and\n"
        "5-mixed, 20 for the others). --key KEY.pdf writes its answer key to a file of\n"
        "its own (alone, only the key), with --working each problem's working after it.\n"
        "\n"
        "With --results FILE it reads the result codes (結果コード) pupils hand in at the\n"
        "end of a set, one a line (- reads standard input), and writes for each set\n"
        "the pupils by 出席番号 with each problem's mark (○ right at the first try, △ at\n"
        "the second, × not), their scores and times, each problem's rate right at the\n"
        "first try, and the class's mistakes, most pupils first; --csv writes the\n"
        "table as CSV. A line that is not a code is said as N行目: … on standard error\n"
        "and skipped; of two codes with one 出席番号 for one set, the later counts.\n"
        "It exits with 0 when every line was read, 1 when a line was skipped, 2 when\n"
        "the file cannot be read.\n"
        "\n"
        "Exit status: 0 done, or the checked answer is right; 1 the problem has no\n"
        "answer, or a file, the practice record or the output cannot be written; 2 the\n"
        "command line, EXPR or ANSWER cannot be read, or ANSWER is a decimal that does\n"
        "not end (0.333...); 3 the checked answer has the right value but is not\n"
        "finished (not reduced, the fraction of a mixed number 1 or more, an integer\n"
        "part 0, -0, or a decimal); 4 the checked answer is wrong."));
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
    const QList<QCommandLineOption> options {
        calc,
        improper,
        steps,
        method,
        check,
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
            QStringLiteral("Write the practice set as the pupils' worksheet, an A4 PDF, to FILE."),
            QStringLiteral("FILE")),
        QCommandLineOption(KeyName,
            QStringLiteral("With --practice: write the answer key, the sheet's pages with the "
                           "answers filled in, to FILE, a file of its own."),
            QStringLiteral("FILE")),
        QCommandLineOption(WorkingName,
            QStringLiteral("With --key: add each problem's working, step by step, after the "
                           "key.")),
        QCommandLineOption(BoxesName,
            QStringLiteral("With --worksheet or --key: a box for each answer after its \"=\" "
                           "and a 見直し (checked again) box by each problem.")),
        QCommandLineOption(UrlName,
            QStringLiteral("With --worksheet: print a QR code of BASE#practice=CODE on the "
                           "pupils' sheet, which opens the same set on the page at BASE."),
            QStringLiteral("BASE")),
        QCommandLineOption(NumberName,
            QStringLiteral("With --practice: the pupil's 出席番号 (class number), 1 to 99."),
            QStringLiteral("N")),
        QCommandLineOption(ResultsName,
            QStringLiteral("Read the result codes in FILE (- for standard input), one a line, "
                           "and write the class's results for each set."),
            QStringLiteral("FILE")),
        QCommandLineOption(CsvName,
            QStringLiteral("With --results: write them as CSV (UTF-8 with a byte-order mark).")),
    };
    parser.addOptions(options);

    QStringList arguments;
    for (const char *argument : std::span<char *>(argv, static_cast<std::size_t>(argc))) {
        arguments << argumentText(argument);
    }
    if (!parser.parse(arguments)) {
        return usageError(parser.unknownOptionNames().isEmpty()
                ? parser.errorText()
                : unknownOptions(parser, arguments, options + QList {help, versionOption}));
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Usage names the program, not the path it was started by.
        QString text = parser.helpText();
        text.replace(text.indexOf(arguments.constFirst()), arguments.constFirst().size(),
            QStringLiteral("tobarin"));
        write(stdout, text.toStdString());
        return 0;
    }
    if (parser.isSet(versionOption)) {
        out("tobarin " + QCoreApplication::applicationVersion().toStdString());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(QStringLiteral("unexpected argument: '%1'.")
                              .arg(shown(parser.positionalArguments()[0])));
    }
    if (parser.values(method).size() > 1) {
        return usageError(QStringLiteral("--method may be given once."));
    }
    const QString methodName = parser.value(method);
    if (parser.isSet(method) && methodName != QLatin1String("improper")
        && methodName != QLatin1String("mixed")) {
        return usageError(
            QStringLiteral("--method is improper or mixed, not '%1'.").arg(shown(methodName)));
    }
    const Method chosen
        = methodName == QLatin1String("mixed") ? Method::KeepMixed : Method::MakeImproper;
    if (parser.isSet(WorkingName) && !parser.isSet(KeyName)) {
        return usageError(QStringLiteral(
            "--working needs --key FILE: the working goes with the answer key, not the sheet."));
    }
    if (parser.isSet(UrlName) && !parser.isSet(WorksheetName)) {
        return usageError(QStringLiteral("--url needs --worksheet FILE."));
    }
    if (parser.isSet(BoxesName) && !parser.isSet(WorksheetName) && !parser.isSet(KeyName)) {
        return usageError(QStringLiteral("--boxes needs --worksheet FILE or --key FILE."));
    }
    if (parser.isSet(ResultsName)) {
        return classResults(parser);
    }
    if (parser.isSet(CsvName)) {
        return usageError(QStringLiteral("--csv needs --results FILE|-."));
    }
    if (parser.isSet(NumberName) && !parser.isSet(PracticeName)) {
        return usageError(QStringLiteral("--number needs --practice UNIT|CODE."));
    }
    if (parser.isSet(PracticeName)) {
        if (parser.isSet(calc) || parser.isSet(check) || parser.isSet(improper)
            || parser.isSet(steps)) {
            return usageError(
                QStringLiteral("--practice goes without --calc, --check, --improper and --steps."));
        }
        return practise(
            parser, parser.isSet(method) ? std::optional(chosen) : std::nullopt, application);
    }
    if (parser.isSet(WorksheetName) || parser.isSet(KeyName)) {
        return usageError(QStringLiteral("--worksheet and --key need --practice UNIT|CODE."));
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
    Request request {bytesOf(parser.value(calc)), parser.isSet(improper), parser.isSet(steps),
        chosen, std::nullopt};
    if (parser.isSet(check)) {
        request.answer = bytesOf(parser.value(check));
    }
    return calculate(request);
}

}  // namespace

int runCommandLine(int argc, char **argv)
{
    return finished(runOptions(argc, argv));
}

}  // namespace tobarin
