#include "ui/practice/problem_view.h"

#include "ui/shared/fonts.h"
#include "ui/shared/typesetter.h"

#include <cmath>

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

#include "form/definition.h"

namespace tobarin {

namespace {

// The drawing is read as text by screen readers.
QAccessibleInterface *problemAccessibility(const QString & /*className*/, QObject *object)
{
    auto *view = dynamic_cast<ProblemView *>(object);
    return view ? new QAccessibleWidget(view, QAccessible::StaticText) : nullptr;
}

}  // namespace

ProblemView::ProblemView(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&problemAccessibility);
        return true;
    }();
    Q_UNUSED(installed);
    // Larger than the working's, for the one problem being answered.
    setFont(fontOf(Font::E));
    contentsChanged();
}

void ProblemView::setProblem(const Expression &problem, const QString &text)
{
    m_problem = problem;
    setAccessibleDescription(text);
    contentsChanged();
}

void ProblemView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    typeset(&painter);
}

void ProblemView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        contentsChanged();
    }
}

void ProblemView::contentsChanged()
{
    const QSizeF size = typeset(nullptr);
    m_size = QSize(
        static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())));
    setMinimumSize(m_size);
    updateGeometry();
    update();
}

QSizeF ProblemView::typeset(QPainter *painter) const
{
    const QColor text = palette().color(QPalette::WindowText);
    Typesetter type(font(), font(), painter, {text, text, text});
    if (!m_problem) {
        return {0, 0};
    }
    const qreal left = type.margin();
    const qreal axis = type.margin() + type.above(*m_problem);
    qreal x = left + type.expression(left, axis, *m_problem);
    x += type.text(x, axis, QStringLiteral(" ="));
    return {x + type.margin(), axis + type.below(*m_problem) + type.margin()};
}

}  // namespace tobarin
