#pragma once

#include "engine/working/working.h"

#include <vector>

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QPainter;

namespace tobarin {

// Places and, when it has a painter, draws the lines of a working as a
// textbook writes them: fractions stacked, a product as one fraction of its
// factors, a cancelled factor struck through with its new number small above
// it (in the numerator) or below it (in the denominator). Every part is placed
// on an axis: the height of the minus sign, where the bar of a fraction lies
// and around which digits and signs stand. Each drawing call gives the width
// it took. It only draws the numbers it is given; it never works one out.
class Typesetter {
public:
    struct Colours {
        QColor text;
        QColor note;
        QColor report;
    };

    Typesetter(const QFont &font, const QFont &noteFont, QPainter *painter, const Colours &colours);

    // How far a line reaches above and below its axis.
    [[nodiscard]] qreal above(const Expression &line) const;
    [[nodiscard]] qreal below(const Expression &line) const;
    [[nodiscard]] qreal lineGap() const { return m_metrics.height() * 0.45; }
    [[nodiscard]] qreal margin() const { return m_metrics.height() * 0.5; }
    [[nodiscard]] qreal equalsWidth() const;
    [[nodiscard]] qreal noteGap() const { return m_metrics.height(); }

    qreal text(qreal x, qreal axis, const QString &text, const QColor &colour);
    qreal text(qreal x, qreal axis, const QString &text);
    // A note, in its smaller font, centred on the axis.
    qreal note(qreal x, qreal axis, const QString &text);
    qreal report(qreal x, qreal axis, const QString &text);
    qreal expression(qreal x, qreal axis, const Expression &line);

    // Whether the integer part of a mixed number is drawn as tall as the
    // fraction beside it, as a worksheet for younger pupils writes it,
    // rather than at the height of the fraction's digits.
    void setTallWholes(bool tall);

private:
    // A length rounded to whole device pixels, so that bars are drawn sharp.
    [[nodiscard]] qreal snap(qreal length) const;
    // From the axis to the top of the numerator, or the foot of the denominator.
    [[nodiscard]] qreal fractionHalf() const { return m_stroke / 2 + m_gap + m_digitHeight; }
    // The same for a line, with the small numbers of a cancelling line.
    [[nodiscard]] qreal reach(const Expression &line) const;

    // Operand `index` of the line, in parentheses where it is written so.
    qreal operand(qreal x, qreal axis, const Expression &line, std::size_t index);
    // An expression in parentheses as tall as it.
    qreal enclose(qreal x, qreal axis, const Expression &inner);
    qreal power(qreal x, qreal axis, const Expression &line);
    qreal number(qreal x, qreal axis, const WrittenNumber &number, bool parenthesised);
    qreal sign(qreal x, qreal axis, Sign sign);
    qreal fraction(qreal x, qreal axis, const QString &num, const QString &den);
    qreal product(qreal x, qreal axis, const Expression &line);
    // A row of factors joined by "×" standing on a baseline; cancelled ones
    // struck through with the new number small above or below.
    qreal factors(qreal x, qreal baseline, const std::vector<Factor> &factors, bool numerator);
    // A parenthesis drawn as a curve as tall as what it encloses, half of
    // that height above the axis and half below.
    qreal parenthesis(qreal x, qreal axis, qreal half, bool opening);

    QPainter *m_painter;
    QFont m_font;
    QFont m_noteFont;
    QFont m_smallFont;  // the new number beside a cancelled one
    QFontMetricsF m_metrics;
    QFontMetricsF m_noteMetrics;
    QFontMetricsF m_smallMetrics;
    QFont m_tallFont;  // of a tall integer part, made by setTallWholes
    bool m_tallWholes = false;
    Colours m_colours;
    qreal m_rise;  // the axis above the baseline
    qreal m_digitHeight;
    qreal m_smallDigitHeight;
    qreal m_gap;  // between the bar of a fraction and its digits
    qreal m_space;
    qreal m_ratio;  // device pixels a pixel
    qreal m_stroke;  // the thickness of bars and parentheses
};

}  // namespace tobarin
