#include "ui/shared/widgets.h"

#include <algorithm>
#include <utility>

#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include "form/definition.h"

namespace tobarin {

Qt::Alignment alignmentOf(Align align)
{
    switch (align) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QFont fittingFont(const QFont &base, const QString &text, qreal room)
{
    QFont font = base;
    // An empty text needs no measuring (and so no font loaded before it is drawn).
    if (text.isEmpty()) {
        return font;
    }
    // A quarter point at a time, down to a size too small to matter.
    while (QFontMetricsF(font).horizontalAdvance(text) > room && font.pointSizeF() > 1.0) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    return font;
}

namespace {

// Lines are separators to assistive technology.
QAccessibleInterface *lineAccessibility(const QString & /*className*/, QObject *object)
{
    auto *line = dynamic_cast<LineControl *>(object);
    return line ? new QAccessibleWidget(line, QAccessible::Separator) : nullptr;
}

}  // namespace

LineControl::LineControl(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&lineAccessibility);
        return true;
    }();
    Q_UNUSED(installed);
}

void LineControl::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::WindowText));
}

FrameControl::FrameControl(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void FrameControl::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect edge = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(edge);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(edge.translated(1, 1));
    if (!title().isEmpty()) {
        const int padding = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;
        const QRect caption(metrics.averageCharWidth(), 0,
            metrics.horizontalAdvance(title()) + 2 * padding, metrics.height());
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
    }
}

CheckBoxControl::CheckBoxControl(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent)
{
    // Opaque, so that it hides the frame edge it lies on, like a caption.
    setAutoFillBackground(true);
}

bool CheckBoxControl::hitButton(const QPoint &position) const
{
    return rect().contains(position);
}

namespace {

// Focus moves that come from the window losing or regaining activation, or
// from a popup menu, are not moves between the window's controls.
bool movesBetweenControls(const QFocusEvent *event)
{
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

}  // namespace

// Accepts a text up to the typing limit, or up to the length of a longer text
// the program wrote, which the user may shorten but not lengthen again. (Qt
// refuses an edit only when it turns an acceptable text into an invalid one,
// so the written text itself must count as acceptable.)
class EntryField::TypingLimit : public QValidator {
public:
    TypingLimit(int limit, EntryField *field)
        : QValidator(field)
        , m_limit(limit)
        , m_ceiling(limit)
    {
        connect(field, &QLineEdit::textChanged, this, [this](const QString &text) {
            m_ceiling = std::max(m_limit, std::min(m_ceiling, text.size()));
        });
    }

    void allow(const QString &text) { m_ceiling = std::max(m_ceiling, text.size()); }

    State validate(QString &input, int & /*position*/) const override
    {
        return input.size() <= m_ceiling ? Acceptable : Invalid;
    }

private:
    qsizetype m_limit;
    qsizetype m_ceiling;
};

EntryField::EntryField(const QFont &font, int typingLimit, QWidget *parent)
    : QLineEdit(parent)
    , m_baseFont(font)
    , m_validator(new TypingLimit(typingLimit, this))
{
    setFont(font);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setValidator(m_validator);
    connect(this, &QLineEdit::textChanged, this, &EntryField::fitText);
}

void EntryField::fitText(const QString &text)
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The contents less the line edit's own margin each side and the cursor.
    const int room
        = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() - 5;
    setFont(fittingFont(m_baseFont, text, room));
}

void EntryField::writeText(const QString &text)
{
    m_validator->allow(text);
    setText(text);
}

void EntryField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (movesBetweenControls(event)) {
        emit gotFocus();
    }
}

void EntryField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (movesBetweenControls(event)) {
        emit lostFocus();
    }
}

void EntryField::setPasteFilter(std::function<bool(const QString &)> filter)
{
    m_pasteFilter = std::move(filter);
}

void EntryField::pasteClipboard()
{
    if (isReadOnly()) {
        return;
    }
    if (m_pasteFilter && m_pasteFilter(QGuiApplication::clipboard()->text())) {
        return;
    }
    paste();
}

bool EntryField::event(QEvent *event)
{
    // With nothing selected there is nothing of the field's to copy: the
    // key goes on to the window's own shortcut, which copies the answer.
    if (event->type() == QEvent::ShortcutOverride && !hasSelectedText()
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void EntryField::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteClipboard();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QMenu *EntryField::createContextMenu()
{
    QMenu *menu = createStandardContextMenu();
    // Qt connects the item to paste() by the slot's name (Qt 6.4), or by
    // pointer; taking that connection apart finds the item.
    for (QAction *action : menu->actions()) {
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))
            || disconnect(action, &QAction::triggered, this, &QLineEdit::paste)) {
            connect(action, &QAction::triggered, this, &EntryField::pasteClipboard);
        }
    }
    emit contextMenuOpening(menu);
    return menu;
}

void EntryField::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

OptionButton::OptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
}

void OptionButton::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    // The group's buttons are the frame's option buttons, created in index order.
    const auto group = parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly);
    const auto count = group.size();
    const auto next = group.at((group.indexOf(this) + step + count) % count);
    next->setFocus(Qt::TabFocusReason);
    next->click();
}

FittingLabel::FittingLabel(
    const QFont &font, const QString &description, TextFit fit, QWidget *parent)
    : QLabel(parent)
    , m_baseFont(font)
    , m_description(description)
    , m_fit(fit)
{
    setFont(font);
    setAccessibleName(description);
}

void FittingLabel::setFittingText(const QString &text)
{
    const QFont font = m_fit == TextFit::Shrink
        ? fittingFont(m_baseFont, text, contentsRect().width())
        : m_baseFont;
    const bool shrunk = font.pointSizeF() < m_baseFont.pointSizeF();
    // A smaller text stands on the same baseline as a text of full size would.
    const int drop = shrunk ? QFontMetrics(m_baseFont).ascent() - QFontMetrics(font).ascent() : 0;
    setContentsMargins(0, drop, 0, 0);
    setFont(font);
    setToolTip(shrunk ? text : QString());
    setAccessibleName(text.isEmpty() ? m_description : m_description + QLatin1Char(' ') + text);
    setText(text);
}

}  // namespace tobarin
