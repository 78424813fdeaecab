#include "ui/working/working_view.h"

#include "ui/shared/fonts.h"
#include "ui/shared/typesetter.h"
#include "ui/shared/widget_properties.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

#include "form/working_definition.h"

namespace tobarin {

namespace {

constexpr std::uint32_t ReportRed = 0xC00000;

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
    const std::vector<Step> &steps = m_working.steps;
    std::string text;
    for (std::size_t i = 0; i < linesShown(steps.size(), m_revealed); ++i) {
        text += stepText(steps[i]) + "\n";
    }
    if (reportShown(steps.size(), m_revealed) && !m_working.report.empty()) {
        text += m_working.report + "\n";
    }
    return fromUtf8(text);
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
    const Typesetter::Colours colours {palette().color(QPalette::Text),
        QColor::fromRgb(WorkingNoteBlue), QColor::fromRgb(ReportRed)};
    const QFont noteFont = fontOf(Font::B);
    Typesetter measure(font(), noteFont, nullptr, colours);
    Typesetter type(font(), noteFont, painter, colours);

    const std::vector<Step> &steps = m_working.steps;
    const std::size_t shown = linesShown(steps.size(), m_revealed);
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
        if (step.note != Note::Problem) {
            type.text(left, y, QStringLiteral("="));
        }
        type.expression(expressions, y, step.expression);
        if (const std::string note = stepNote(step); !note.empty()) {
            right = std::max(right, notes + type.note(notes, y, fromUtf8(note)));
        }
        y += type.below(step.expression) + type.lineGap();
    }
    const std::string &report = m_working.report;
    if (reportShown(steps.size(), m_revealed) && !report.empty()) {
        const Expression plain;
        y += type.above(plain);
        right = std::max(right, left + type.report(left, y, fromUtf8(report)));
        y += type.below(plain) + type.lineGap();
    }
    return {right + type.margin(), y - type.lineGap() + type.margin()};
}

}  // namespace tobarin
