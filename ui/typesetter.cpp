#include "ui/typesetter.h"

#include "ui/widget_properties.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace tobarin {

namespace {

QString digitsOf(wide::Int128 v)
{
    return QString::fromStdString(wide::decimalText(v));
}

bool hasFraction(const Expression &expression)
{
    return expression.first.hasFraction || (expression.second && expression.second->hasFraction);
}

}  // namespace

Typesetter::Typesetter(
    const QFont &font, const QFont &noteFont, QPainter *painter, const Colours &colours)
    : m_painter(painter)
    , m_font(font)
    , m_noteFont(noteFont)
    , m_metrics(font)
    , m_noteMetrics(noteFont)
    , m_colours(colours)
    , m_rise(-m_metrics.tightBoundingRect(QStringLiteral("\u2212")).center().y())
    , m_digitHeight(-m_metrics.tightBoundingRect(QStringLiteral("0")).top())
    , m_gap(m_metrics.height() * 0.12)
    , m_space(m_metrics.horizontalAdvance(QLatin1Char('0')) * 0.45)
    , m_ratio(painter ? painter->device()->devicePixelRatioF() : 1.0)
    , m_stroke(snap(std::max(1.0, m_metrics.lineWidth())))
{
}

qreal Typesetter::above(const Expression &expression) const
{
    const qreal text = m_metrics.ascent() - m_rise;
    return hasFraction(expression) ? std::max(text, fractionHalf() + m_gap) : text;
}

qreal Typesetter::below(const Expression &expression) const
{
    const qreal text = m_metrics.descent() + m_rise;
    return hasFraction(expression) ? std::max(text, fractionHalf() + m_gap) : text;
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

qreal Typesetter::expression(qreal x, qreal axis, const Expression &expression)
{
    const qreal start = x;
    x += number(x, axis, expression.first);
    if (expression.second) {
        x += m_space;
        x += text(x, axis,
            expression.operation ? fromUtf8(drawnOperationText(*expression.operation))
                                 : QStringLiteral("?"));
        x += m_space;
        const ShownNumber &second = *expression.second;
        if (second.negative) {
            const qreal half = second.hasFraction ? fractionHalf() : m_digitHeight * 0.8;
            x += parenthesis(x, axis, half, true);
            x += number(x, axis, second);
            x += parenthesis(x, axis, half, false);
        } else {
            x += number(x, axis, second);
        }
    }
    return x - start;
}

qreal Typesetter::equalsWidth() const
{
    return m_metrics.horizontalAdvance(QLatin1Char('=')) + m_space * 1.5;
}

qreal Typesetter::number(qreal x, qreal axis, const ShownNumber &number)
{
    const qreal start = x;
    if (number.negative) {
        x += text(x, axis, QStringLiteral("\u2212")) + m_space * 0.3;
    }
    if (number.hasWhole) {
        x += text(x, axis, digitsOf(number.whole));
    }
    if (number.hasWhole && number.hasFraction) {
        x += m_space * 0.3;
    }
    if (number.hasFraction) {
        x += fraction(x, axis, digitsOf(number.num), digitsOf(number.den));
    }
    return x - start;
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
