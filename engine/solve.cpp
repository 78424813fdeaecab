#include "engine/solve.h"

#include "engine/number/runtime_error.h"
#include "engine/problem/evaluate.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"
#include "engine/working/conversion_working.h"
#include "engine/working/several_terms.h"

#include <stdexcept>

#include "form/memory_form.h"

namespace tobarin {

namespace {

// Why the window gives no answer to the problem: the denominator message or
// the report of a run-time error; empty where it gives one.
std::string whyNoAnswer(const TypedProblem &problem, AnswerForm form)
{
    MemoryForm window;
    enterProblem(window, problem);
    try {
        Command1_Click(window);
        if (form == AnswerForm::Improper && window.messages().empty()) {
            Option2_Click(window, static_cast<std::int16_t>(AnswerForm::Improper));
        }
    } catch (const RuntimeError &error) {
        return runtimeErrorLine(error.number());
    }
    return window.messages().empty() ? std::string() : window.messages().front().text;
}

bool anyNumber(const Expression &expression, bool (*test)(const WrittenNumber &))
{
    if (expression.isNumber()) {
        return test(expression.number);
    }
    for (const Expression &operand : expression.operands) {
        if (anyNumber(operand, test)) {
            return true;
        }
    }
    return false;
}

Solution noAnswer(std::optional<Expression> line, std::string report)
{
    Working working;
    working.report = std::move(report);
    if (line) {
        working.steps.push_back({Note::Problem, std::move(*line)});
    }
    return {std::nullopt, std::move(working), {}};
}

Solution solveConversion(const Problem &problem, AnswerForm form)
{
    const Conversion &conversion = *problem.conversion;
    for (const WrittenNumber &number : conversion.numbers) {
        // A number beyond the exact range, as in any problem.
        if (const std::optional<Fraction> value = valueOf(number); !value || !fitsExactly(*value)) {
            return noAnswer(problem.expression, runtimeErrorLine(6));
        }
    }
    try {
        Working working = conversionWorking(conversion, form);
        const Expression &last = working.steps.back().expression;
        Solution solution {std::nullopt, {}, {}, conversion};
        if (last.kind == Expression::Kind::List) {
            for (const Expression &item : last.operands) {
                solution.answers.push_back(item.number);
            }
        } else {
            solution.answer = last.number;
            solution.mistakes = conversionPredictions(conversion, valueOf(last.number).value());
        }
        solution.working = std::move(working);
        return solution;
    } catch (const std::overflow_error &) {
        // a part beyond 128 bits on the way
        return noAnswer(problem.expression, runtimeErrorLine(6));
    }
}

}  // namespace

bool hasAnswer(const Solution &solution)
{
    return solution.answer.has_value() || !solution.answers.empty();
}

std::string answerText(const Solution &solution)
{
    if (solution.answer) {
        return numberText(*solution.answer);
    }
    std::string text;
    for (const WrittenNumber &number : solution.answers) {
        text += (text.empty() ? "" : ", ") + numberText(number);
    }
    return text;
}

std::optional<Expression> problemLine(const Problem &problem)
{
    if (problem.conversion) {
        return problem.expression;
    }
    if (const std::optional<TypedProblem> typed = fieldsOf(problem)) {
        try {
            return pairExpression(
                typedNumber(typed->first), typed->operation, typedNumber(typed->second));
        } catch (const RuntimeError &) {
            return std::nullopt;
        }
    }
    if (anyNumber(problem.expression, [](const WrittenNumber &number) {
            const std::optional<Fraction> value = valueOf(number);
            return number.den == 0 ? false : !value || !fitsExactly(*value);
        })) {
        return std::nullopt;
    }
    return problem.expression;
}

Solution solveInWindow(const Problem &problem, AnswerForm form, Method method)
{
    const std::optional<TypedProblem> typed = fieldsOf(problem);
    if (!typed) {
        throw std::logic_error("a problem of several terms for the window's calculation");
    }
    if (std::string report = whyNoAnswer(*typed, form); !report.empty()) {
        return noAnswer(problemLine(problem), std::move(report));
    }
    // The textbook's route ends in the window's answer: the tests and the
    // fuzz targets hold every route to it.
    const Pair pair = *pairOf(*problemLine(problem));
    Working route = textbookWorking(pair, form, method);
    WrittenNumber answer = route.steps.back().expression.number;
    std::vector<Prediction> mistakes = pairPredictions(pair, valueOf(answer).value());
    return {std::move(answer), std::move(route), std::move(mistakes)};
}

Solution solve(const Problem &problem, AnswerForm form, Method method)
{
    if (problem.conversion) {
        return solveConversion(problem, form);
    }
    if (fieldsOf(problem)) {
        return solveInWindow(problem, form, method);
    }
    if (anyNumber(problem.expression,
            [](const WrittenNumber &number) { return number.hasFraction && number.den == 0; })) {
        return noAnswer(problemLine(problem), std::string(DenominatorMessage));
    }
    // A value beyond the exact range, or a division by 0, on the way to the
    // answer; or a line of the working beyond 128 bits (a common denominator
    // of many large ones).
    try {
        const Fraction value = exactValue(problem.expression);
        Working working = severalTermsWorking(problem.expression, form, method);
        return {form == AnswerForm::Mixed ? mixedNumberOf(value) : improperNumberOf(value),
            std::move(working), severalTermPredictions(problem.expression, value)};
    } catch (const RuntimeError &error) {
        return noAnswer(problemLine(problem), runtimeErrorLine(error.number()));
    }
}

}  // namespace tobarin
