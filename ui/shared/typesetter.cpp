#include "ui/shared/typesetter.h"

#include "ui/shared/widget_properties.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace tobarin {

namespace {

QString digitsOf(wide::Int128 v)
{
    return fromUtf8(wide::decimalText(v));
}

// Whether a line stacks anything: a fraction, or a product as one fraction.
bool hasFraction(const Expression &line)
{
    switch (line.kind) {
    case Expression::Kind::Number:
        return line.number.hasFraction;
    case Expression::Kind::Fraction:
        return !line.denominator.empty();
    default:
        break;
    }
    return std::any_of(line.operands.begin(), line.operands.end(), hasFraction);
}

// Whether a power is raised above a fraction (or parentheses around one),
// its exponent then standing above the top of the fraction.
bool raisedAboveFraction(const Expression &line)
{
    if (line.kind == Expression::Kind::Power && hasFraction(line.operands[0])) {
        return true;
    }
    return std::any_of(line.operands.begin(), line.operands.end(), raisedAboveFraction);
}

bool cancels(const std::vector<Factor> &factors)
{
    return std::any_of(
        factors.begin(), factors.end(), [](const Factor &f) { return f.was.has_value(); });
}

QFont smallerFont(QFont font)
{
    font.setPointSizeF(font.pointSizeF() * 0.62);
    return font;
}

}  // namespace

Typesetter::Typesetter(
    const QFont &font, const QFont &noteFont, QPainter *painter, const Colours &colours)
    : m_painter(painter)
    , m_font(font)
    , m_noteFont(noteFont)
    , m_smallFont(smallerFont(font))
    , m_metrics(font)
    , m_noteMetrics(noteFont)
    , m_smallMetrics(m_smallFont)
    , m_colours(colours)
    , m_rise(-m_metrics.tightBoundingRect(QStringLiteral("\u2212")).center().y())
    , m_digitHeight(-m_metrics.tightBoundingRect(QStringLiteral("0")).top())
    , m_smallDigitHeight(-m_smallMetrics.tightBoundingRect(QStringLiteral("0")).top())
    , m_gap(m_metrics.height() * 0.12)
    , m_space(m_metrics.horizontalAdvance(QLatin1Char('0')) * 0.45)
    , m_ratio(painter ? painter->device()->devicePixelRatioF() : 1.0)
    , m_stroke(snap(std::max(1.0, m_metrics.lineWidth())))
{
}

qreal Typesetter::reach(const Expression &line) const
{
    const bool small = line.kind == Expression::Kind::Fraction
        && (cancels(line.numerator) || cancels(line.denominator));
    const bool raised = raisedAboveFraction(line);
    return fractionHalf() + (small || raised ? m_gap + m_smallDigitHeight : 0);
}

qreal Typesetter::above(const Expression &line) const
{
    const qreal text = m_metrics.ascent() - m_rise;
    return hasFraction(line) ? std::max(text, reach(line) + m_gap) : text;
}

qreal Typesetter::below(const Expression &line) const
{
    const qreal text = m_metrics.descent() + m_rise;
    return hasFraction(line) ? std::max(text, reach(line) + m_gap) : text;
}

qreal Typesetter::text(qreal x, qreal axis, const QString &text, const QColor &colour)
{
    if (m_painter) {
        m_painter->setFont(m_font);
        m_painter->setPen(colour);
        m_painter->drawText(QPointF(x, axis + m_rise), text);
    }
    return m_metrics.horizontalAdvance(text);
}

qreal Typesetter::text(qreal x, qreal axis, const QString &text)
{
    return this->text(x, axis, text, m_colours.text);
}

qreal Typesetter::note(qreal x, qreal axis, const QString &text)
{
    if (m_painter) {
        m_painter->setFont(m_noteFont);
        m_painter->setPen(m_colours.note);
        const qreal baseline = axis + (m_noteMetrics.ascent() - m_noteMetrics.descent()) / 2;
        m_painter->drawText(QPointF(x, baseline), text);
    }
    return m_noteMetrics.horizontalAdvance(text);
}

qreal Typesetter::report(qreal x, qreal axis, const QString &text)
{
    return this->text(x, axis, text, m_colours.report);
}

qreal Typesetter::expression(qreal x, qreal axis, const Expression &line)
{
    const qreal start = x;
    switch (line.kind) {
    case Expression::Kind::Number:
        x += number(x, axis, line.number, false);
        break;
    case Expression::Kind::Sum:
    case Expression::Kind::Product:
        for (std::size_t i = 0; i < line.operands.size(); ++i) {
            if (i > 0) {
                x += m_space;
                x += text(x, axis, fromUtf8(drawnOperationText(line.operations[i - 1])));
                x += m_space;
            }
            x += operand(x, axis, line, i);
        }
        break;
    case Expression::Kind::Parentheses:
        x += enclose(x, axis, line.operands[0]);
        break;
    case Expression::Kind::Power:
        x += power(x, axis, line);
        break;
    case Expression::Kind::Signed:
        x += sign(x, axis, line.sign);
        x += operand(x, axis, line, 0);
        break;
    case Expression::Kind::Fraction:
        x += sign(x, axis, line.sign);
        x += product(x, axis, line);
        break;
    case Expression::Kind::List:
        for (std::size_t i = 0; i < line.operands.size(); ++i) {
            x += i > 0 ? text(x, axis, QStringLiteral(", ")) : 0;
            x += operand(x, axis, line, i);
        }
        break;
    case Expression::Kind::Over:
        // Drawn in its text form: "(3×2+1)/3".
        x += text(x, axis, fromUtf8(expressionText(line)));
        break;
    case Expression::Kind::Conversion:
        x += operand(x, axis, line, 0);
        x += m_space;
        x += text(x, axis, QStringLiteral("→"));
        x += m_space;
        x += text(x, axis, fromUtf8(askedFormText(line.asked)));
        break;
    }
    return x - start;
}

qreal Typesetter::operand(qreal x, qreal axis, const Expression &line, std::size_t index)
{
    const Expression &inner = line.operands[index];
    if (!enclosed(line, index)) {
        return expression(x, axis, inner);
    }
    return inner.isNumber() ? number(x, axis, inner.number, true) : enclose(x, axis, inner);
}

qreal Typesetter::enclose(qreal x, qreal axis, const Expression &inner)
{
    const qreal start = x;
    const qreal half = hasFraction(inner) ? fractionHalf() + m_gap : m_digitHeight * 0.9;
    x += parenthesis(x, axis, half, true);
    x += expression(x, axis, inner);
    x += parenthesis(x, axis, half, false);
    return x - start;
}

// The base, then its exponent small and raised: beside the top of a whole
// number or a decimal, above the top of a fraction's parentheses.
qreal Typesetter::power(qreal x, qreal axis, const Expression &line)
{
    const qreal start = x;
    x += operand(x, axis, line, 0);
    const QString exponent = fromUtf8(std::to_string(line.exponent));
    const qreal top = hasFraction(line.operands[0]) ? fractionHalf() + m_gap : m_digitHeight * 0.8;
    if (m_painter) {
        m_painter->setFont(m_smallFont);
        m_painter->setPen(m_colours.text);
        m_painter->drawText(
            QPointF(x + m_space * 0.1, axis - top + m_smallDigitHeight * 0.7), exponent);
    }
    x += m_space * 0.1 + m_smallMetrics.horizontalAdvance(exponent);
    return x - start;
}

qreal Typesetter::equalsWidth() const
{
    return m_metrics.horizontalAdvance(QLatin1Char('=')) + m_space * 1.5;
}

qreal Typesetter::number(qreal x, qreal axis, const WrittenNumber &number, bool parenthesised)
{
    const qreal start = x;
    const qreal half = number.hasFraction ? fractionHalf() : m_digitHeight * 0.8;
    if (parenthesised) {
        x += parenthesis(x, axis, half, true);
    }
    if (number.negative) {
        x += text(x, axis, QStringLiteral("\u2212")) + m_space * 0.3;
    }
    const bool decimal = number.isDecimal() || number.unending;
    if (decimal) {
        // A decimal as written, "1.25", its sign drawn above.
        WrittenNumber magnitude = number;
        magnitude.negative = false;
        x += text(x, axis, QString::fromStdString(numberText(magnitude)));
    } else if (number.hasWhole && number.hasFraction && m_tallWholes) {
        // Its digits from the top of the numerator to the foot of the
        // denominator.
        const QString digits = digitsOf(number.whole);
        if (m_painter) {
            m_painter->setFont(m_tallFont);
            m_painter->setPen(m_colours.text);
            m_painter->drawText(QPointF(x, axis + fractionHalf()), digits);
        }
        x += QFontMetricsF(m_tallFont).horizontalAdvance(digits);
    } else if (number.hasWhole) {
        x += text(x, axis, digitsOf(number.whole));
    }
    if (number.hasWhole && number.hasFraction && !decimal) {
        x += m_space * (m_tallWholes ? 0.6 : 0.3);
    }
    if (number.hasFraction && !decimal) {
        x += fraction(x, axis, digitsOf(number.num), digitsOf(number.den));
    }
    if (parenthesised) {
        x += parenthesis(x, axis, half, false);
    }
    return x - start;
}

void Typesetter::setTallWholes(bool tall)
{
    m_tallWholes = tall;
    m_tallFont = m_font;
    m_tallFont.setPointSizeF(m_font.pointSizeF() * 2 * fractionHalf() / m_digitHeight);
}

qreal Typesetter::sign(qreal x, qreal axis, Sign sign)
{
    if (sign == Sign::None) {
        return 0;
    }
    return text(x, axis, sign == Sign::Plus ? QStringLiteral("+") : QStringLiteral("\u2212"))
        + m_space * 0.3;
}

qreal Typesetter::fraction(qreal x, qreal axis, const QString &num, const QString &den)
{
    const qreal numWidth = m_metrics.horizontalAdvance(num);
    const qreal denWidth = m_metrics.horizontalAdvance(den);
    const qreal overhang = m_space * 0.4;
    const qreal width = std::max(numWidth, denWidth) + 2 * overhang;
    if (m_painter) {
        const qreal barTop = snap(axis - m_stroke / 2);
        m_painter->fillRect(QRectF(x, barTop, width, m_stroke), m_colours.text);
        m_painter->setFont(m_font);
        m_painter->setPen(m_colours.text);
        // Digits stand on their baseline and have no descent.
        m_painter->drawText(QPointF(x + (width - numWidth) / 2, barTop - m_gap), num);
        m_painter->drawText(
            QPointF(x + (width - denWidth) / 2, barTop + m_stroke + m_gap + m_digitHeight), den);
    }
    return width;
}

qreal Typesetter::product(qreal x, qreal axis, const Expression &line)
{
    QPainter *painter = m_painter;
    m_painter = nullptr;  // measured first, to centre the shorter row
    const qreal numWidth = factors(0, 0, line.numerator, true);
    const qreal denWidth = line.denominator.empty() ? 0 : factors(0, 0, line.denominator, false);
    m_painter = painter;
    if (line.denominator.empty()) {
        return factors(x, axis + m_rise, line.numerator, true);
    }
    const qreal overhang = m_space * 0.4;
    const qreal width = std::max(numWidth, denWidth) + 2 * overhang;
    const qreal barTop = snap(axis - m_stroke / 2);
    if (m_painter) {
        m_painter->fillRect(QRectF(x, barTop, width, m_stroke), m_colours.text);
    }
    factors(x + (width - numWidth) / 2, barTop - m_gap, line.numerator, true);
    factors(x + (width - denWidth) / 2, barTop + m_stroke + m_gap + m_digitHeight, line.denominator,
        false);
    return width;
}

qreal Typesetter::factors(
    qreal x, qreal baseline, const std::vector<Factor> &factors, bool numerator)
{
    const qreal start = x;
    bool first = true;
    for (const Factor &factor : factors) {
        if (!first) {
            x += m_space * 0.2;
            x += text(x, baseline - m_rise, QStringLiteral("×"));
            x += m_space * 0.2;
        }
        first = false;
        const QString digits = digitsOf(factor.was.value_or(factor.value));
        const qreal width = m_metrics.horizontalAdvance(digits);
        if (!factor.was) {
            x += text(x, baseline - m_rise, digits);
            continue;
        }
        const QString small = digitsOf(factor.value);
        const qreal smallWidth = m_smallMetrics.horizontalAdvance(small);
        const qreal room = std::max(width, smallWidth);
        if (m_painter) {
            const qreal left = x + (room - width) / 2;
            m_painter->setFont(m_font);
            m_painter->setPen(m_colours.text);
            m_painter->drawText(QPointF(left, baseline), digits);
            // Struck through from the lower left to the upper right.
            m_painter->save();
            m_painter->setRenderHint(QPainter::Antialiasing);
            m_painter->setPen(QPen(m_colours.text, m_stroke, Qt::SolidLine, Qt::RoundCap));
            m_painter->drawLine(QPointF(left - m_space * 0.1, baseline + m_gap * 0.3),
                QPointF(left + width + m_space * 0.1, baseline - m_digitHeight - m_gap * 0.3));
            m_painter->restore();
            const qreal smallBaseline = numerator ? baseline - m_digitHeight - m_gap
                                                  : baseline + m_gap + m_smallDigitHeight;
            m_painter->setFont(m_smallFont);
            m_painter->drawText(QPointF(x + (room - smallWidth) / 2, smallBaseline), small);
        }
        x += room;
    }
    return x - start;
}

qreal Typesetter::parenthesis(qreal x, qreal axis, qreal half, bool opening)
{
    const qreal width = m_space * 1.2;
    if (m_painter) {
        const qreal outer = opening ? x + width * 0.8 : x + width * 0.2;
        const qreal inner = opening ? x + width * 0.1 : x + width * 0.9;
        QPainterPath path(QPointF(outer, axis - half));
        path.cubicTo(QPointF(inner, axis - half * 0.55), QPointF(inner, axis + half * 0.55),
            QPointF(outer, axis + half));
        m_painter->save();
        m_painter->setRenderHint(QPainter::Antialiasing);
        m_painter->setPen(QPen(m_colours.text, m_stroke * 1.2, Qt::SolidLine, Qt::RoundCap));
        m_painter->setBrush(Qt::NoBrush);
        m_painter->drawPath(path);
        m_painter->restore();
    }
    return width;
}

qreal Typesetter::snap(qreal length) const
{
    return std::round(length * m_ratio) / m_ratio;
}

}  // namespace tobarin
