#include "ui/working_view.h"

#include "ui/fonts.h"
#include "ui/widget_properties.h"

#include <algorithm>
#include <cmath>

#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "form/definition.h"

namespace tobarin::ui {

namespace {

using wide::Int128;

constexpr std::uint32_t ReportRed = 0xC00000;

QString digitsOf(Int128 v)
{
    return QString::fromStdString(wide::decimalText(v));
}

// The operation signs as printed; the minus is the typographic one.
QString signOf(int operation)
{
    switch (operation) {
    case 0:
        return QStringLiteral("+");
    case 1:
        return QStringLiteral("\u2212");
    case 2:
        return QStringLiteral("×");
    case 3:
        return QStringLiteral("÷");
    default:
        break;
    }
    return QStringLiteral("?");
}

bool hasFraction(const Expression &expression)
{
    return expression.first.hasFraction || (expression.second && expression.second->hasFraction);
}

// Places and, when it has a painter, draws the parts of a working. Every part
// is placed on an axis: the height of the minus sign, where the bar of a
// fraction lies and around which digits and signs stand. Each drawing call
// gives the width it took.
class Typesetter {
public:
    struct Colours {
        QColor text;
        QColor note;
        QColor report;
    };

    Typesetter(const QFont &font, const QFont &noteFont, QPainter *painter, const Colours &colours)
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

    // How far a line reaches above and below its axis.
    [[nodiscard]] qreal above(const Expression &expression) const
    {
        const qreal text = m_metrics.ascent() - m_rise;
        return hasFraction(expression) ? std::max(text, fractionHalf() + m_gap) : text;
    }
    [[nodiscard]] qreal below(const Expression &expression) const
    {
        const qreal text = m_metrics.descent() + m_rise;
        return hasFraction(expression) ? std::max(text, fractionHalf() + m_gap) : text;
    }
    [[nodiscard]] qreal lineGap() const { return m_metrics.height() * 0.45; }
    [[nodiscard]] qreal margin() const { return m_metrics.height() * 0.5; }

    qreal text(qreal x, qreal axis, const QString &text, const QColor &colour)
    {
        if (m_painter) {
            m_painter->setFont(m_font);
            m_painter->setPen(colour);
            m_painter->drawText(QPointF(x, axis + m_rise), text);
        }
        return m_metrics.horizontalAdvance(text);
    }
    qreal text(qreal x, qreal axis, const QString &text)
    {
        return this->text(x, axis, text, m_colours.text);
    }

    // A note, in its smaller font, centred on the axis.
    qreal note(qreal x, qreal axis, const QString &text)
    {
        if (m_painter) {
            m_painter->setFont(m_noteFont);
            m_painter->setPen(m_colours.note);
            const qreal baseline = axis + (m_noteMetrics.ascent() - m_noteMetrics.descent()) / 2;
            m_painter->drawText(QPointF(x, baseline), text);
        }
        return m_noteMetrics.horizontalAdvance(text);
    }

    qreal report(qreal x, qreal axis, const QString &text)
    {
        return this->text(x, axis, text, m_colours.report);
    }

    qreal expression(qreal x, qreal axis, const Expression &expression)
    {
        const qreal start = x;
        x += number(x, axis, expression.first);
        if (expression.second) {
            x += m_space;
            x += text(x, axis, signOf(expression.operation));
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

    [[nodiscard]] qreal equalsWidth() const
    {
        return m_metrics.horizontalAdvance(QLatin1Char('=')) + m_space * 1.5;
    }
    [[nodiscard]] qreal noteGap() const { return m_metrics.height(); }

private:
    // A length rounded to whole device pixels, so that bars are drawn sharp.
    [[nodiscard]] qreal snap(qreal length) const { return std::round(length * m_ratio) / m_ratio; }

    // From the axis to the top of the numerator, or the foot of the denominator.
    [[nodiscard]] qreal fractionHalf() const { return m_stroke / 2 + m_gap + m_digitHeight; }

    qreal number(qreal x, qreal axis, const ShownNumber &number)
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

    qreal fraction(qreal x, qreal axis, const QString &num, const QString &den)
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
                QPointF(x + (width - denWidth) / 2, barTop + m_stroke + m_gap + m_digitHeight),
                den);
        }
        return width;
    }

    // A parenthesis drawn as a curve as tall as what it encloses, half of
    // that height above the axis and half below.
    qreal parenthesis(qreal x, qreal axis, qreal half, bool opening)
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

    QPainter *m_painter;
    QFont m_font;
    QFont m_noteFont;
    QFontMetricsF m_metrics;
    QFontMetricsF m_noteMetrics;
    Colours m_colours;
    qreal m_rise;  // the axis above the baseline
    qreal m_digitHeight;
    qreal m_gap;  // between the bar of a fraction and its digits
    qreal m_space;
    qreal m_ratio;  // device pixels a pixel
    qreal m_stroke;  // the thickness of bars and parentheses
};

// The drawing is read as text by screen readers.
QAccessibleInterface *workingAccessibility(const QString & /*className*/, QObject *object)
{
    auto *view = dynamic_cast<WorkingView *>(object);
    return view ? new QAccessibleWidget(view, QAccessible::StaticText) : nullptr;
}

}  // namespace

WorkingView::WorkingView(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&workingAccessibility);
        return true;
    }();
    Q_UNUSED(installed);
    setFont(fontOf(Font::C));
    setAccessibleName(QStringLiteral("途中式"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    contentsChanged();
}

void WorkingView::setWorking(const Working &working)
{
    m_working = working;
    contentsChanged();
}

void WorkingView::setRevealed(bool revealed)
{
    m_revealed = revealed;
    contentsChanged();
}

QString WorkingView::shownText() const
{
    const std::vector<Step> &steps = m_working.steps();
    if (!m_revealed && !steps.empty()) {
        return fromUtf8(expressionText(steps.front().expression) + "\n");
    }
    const std::string report = reportText(m_working);
    return fromUtf8(workingText(m_working) + (report.empty() ? "" : report + "\n"));
}

QSize WorkingView::sizeHint() const
{
    return m_size;
}

QSize WorkingView::minimumSizeHint() const
{
    return m_size;
}

void WorkingView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    typeset(&painter);
}

void WorkingView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        contentsChanged();
    }
}

void WorkingView::contentsChanged()
{
    const QSizeF size = typeset(nullptr);
    m_size = QSize(
        static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
    setMinimumSize(m_size);
    updateGeometry();
    setAccessibleDescription(shownText());
    update();
}

QSizeF WorkingView::typeset(QPainter *painter) const
{
    const Typesetter::Colours colours {
        palette().color(QPalette::Text), QColor::fromRgb(HintBlue), QColor::fromRgb(ReportRed)};
    const QFont noteFont = fontOf(Font::B);
    Typesetter measure(font(), noteFont, nullptr, colours);
    Typesetter type(font(), noteFont, painter, colours);

    const std::vector<Step> &steps = m_working.steps();
    const std::size_t shown = m_revealed ? steps.size() : std::min<std::size_t>(steps.size(), 1);
    // The expressions start in one column after the "=" signs, the notes in
    // one column after the widest expression.
    const qreal left = type.margin();
    const qreal expressions = left + type.equalsWidth();
    qreal widest = 0;
    for (std::size_t i = 0; i < shown; ++i) {
        widest = std::max(widest, measure.expression(0, 0, steps[i].expression));
    }
    const qreal notes = expressions + widest + type.noteGap();

    qreal right = expressions + widest;
    qreal y = type.margin();
    for (std::size_t i = 0; i < shown; ++i) {
        const Step &step = steps[i];
        y += type.above(step.expression);
        if (step.kind != StepKind::Problem) {
            type.text(left, y, QStringLiteral("="));
        }
        type.expression(expressions, y, step.expression);
        if (const std::string_view note = noteOf(step.kind); !note.empty()) {
            right = std::max(right, notes + type.note(notes, y, fromUtf8(note)));
        }
        y += type.below(step.expression) + type.lineGap();
    }
    // Fields that cannot even be read leave no problem to show, only the
    // report, which gives no answer away.
    const std::string report = reportText(m_working);
    if ((m_revealed || steps.empty()) && !report.empty()) {
        const Expression plain;
        y += type.above(plain);
        right = std::max(right, left + type.report(left, y, fromUtf8(report)));
        y += type.below(plain) + type.lineGap();
    }
    return {right + type.margin(), y - type.lineGap() + type.margin()};
}

}  // namespace tobarin::ui
