#include "ui/working_window.h"

#include "engine/check/answer_check.h"
#include "engine/solve.h"
#include "ui/fonts.h"
#include "ui/widget_properties.h"
#include "ui/widgets.h"
#include "ui/working_view.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>

#include "form/working_definition.h"

namespace tobarin {

namespace {

// How a verdict of the checker is shown.
VerdictLook lookOf(VerdictCategory category)
{
    switch (category) {
    case VerdictCategory::Correct:
        return VerdictLook::Correct;
    case VerdictCategory::Close:
        return VerdictLook::Close;
    case VerdictCategory::Wrong:
        return VerdictLook::Wrong;
    case VerdictCategory::NoAnswer:
        return VerdictLook::NoAnswer;
    case VerdictCategory::Unreadable:
        break;
    }
    return VerdictLook::Unreadable;
}

Method methodOf(MethodChoice choice)
{
    return choice == MethodChoice::KeepMixed ? Method::KeepMixed : Method::MakeImproper;
}

// Where the chosen method is kept between runs.
QSettings settings()
{
    return QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin"));
}
const QString MethodKey = QStringLiteral("working/method");

QLineEdit *answerField(const WorkingControlDefinition &row, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setFont(fontOf(Font::A));
    field->setPlaceholderText(fromUtf8(row.caption));
    field->setAlignment(alignmentOf(row.align) | Qt::AlignVCenter);
    // Room for eight digits, more than any answer of two operands of the calculator needs
    // in a field; longer texts scroll.
    field->setFixedWidth(QFontMetrics(field->font()).horizontalAdvance(QString(8, u'0')) + 12);
    return field;
}

}  // namespace

WorkingWindow::WorkingWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("WorkingWindow"));
    setWindowTitle(fromUtf8(WorkingWindowTitle));
    setFont(fontOf(Font::B));

    QWidget *previousStop = nullptr;
    for (const WorkingControlDefinition &row : WorkingControls) {
        QWidget *container = row.container.empty() ? this : part(row.container);
        QWidget *widget = createPart(row, container);
        if (takesFocus(row.kind)) {
            if (previousStop) {
                setTabOrder(previousStop, widget);
            }
            previousStop = widget;
        }
    }
    arrange();
    fitWorkingArea();

    connect(
        part<QPushButton>("ShowWorking"), &QPushButton::toggled, this, &WorkingWindow::showWorking);
    connect(part<QPushButton>("CopyWorking"), &QPushButton::clicked, this,
        [this] { QGuiApplication::clipboard()->setText(workingText()); });
    connect(part<QPushButton>("CheckAnswer"), &QPushButton::clicked, this,
        &WorkingWindow::checkTypedAnswer);
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        connect(part<QLineEdit>(field.control), &QLineEdit::returnPressed, this,
            &WorkingWindow::checkTypedAnswer);
    }
    const bool mixed = settings().value(MethodKey).toString() == QLatin1String("mixed");
    m_method = mixed ? Method::KeepMixed : Method::MakeImproper;
    for (const MethodControl &choice : MethodControls) {
        auto *button = part<QRadioButton>(choice.control);
        const Method method = methodOf(choice.method);
        button->setChecked(method == m_method);
        connect(button, &QRadioButton::toggled, this, [this, method](bool checked) {
            if (checked) {
                setMethod(method);
            }
        });
    }
    part(AnswerFieldControls.front().control)->setFocus();

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

template <typename Widget> Widget *WorkingWindow::part(std::string_view name) const
{
    return findChild<Widget *>(fromUtf8(name));
}

QWidget *WorkingWindow::createPart(const WorkingControlDefinition &row, QWidget *container)
{
    const QString caption = fromUtf8(row.caption);
    QWidget *widget = nullptr;
    switch (row.kind) {
    case WorkingKind::Group:
        widget = new QGroupBox(caption, container);
        break;
    case WorkingKind::Working: {
        // The drawing scrolls where it is larger than its area.
        m_view = new WorkingView(this);
        m_scroll = new QScrollArea(container);
        m_scroll->setObjectName(QStringLiteral("WorkingArea"));
        m_scroll->setAccessibleName(fromUtf8(row.accessibleName) + QStringLiteral("の欄"));
        m_scroll->setWidget(m_view);
        m_scroll->setWidgetResizable(true);
        widget = m_scroll;  // the area takes the focus, to scroll with the keys
        break;
    }
    case WorkingKind::Button:
        widget = new QPushButton(caption, container);
        break;
    case WorkingKind::ToggleButton: {
        auto *button = new QPushButton(caption, container);
        button->setCheckable(true);
        widget = button;
        break;
    }
    case WorkingKind::CheckBox:
        widget = new QCheckBox(caption, container);
        break;
    case WorkingKind::OptionButton:
        widget = new QRadioButton(caption, container);
        break;
    case WorkingKind::TextBox:
        widget = answerField(row, container);
        break;
    case WorkingKind::Line: {
        widget = new LineControl(container);
        widget->setFixedHeight(2);
        break;
    }
    case WorkingKind::Status: {
        auto *label = new QLabel(container);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    }
    QWidget *named = row.kind == WorkingKind::Working ? m_view : widget;
    named->setObjectName(fromUtf8(row.name));
    named->setAccessibleName(fromUtf8(row.accessibleName));
    if (!row.toolTip.empty()) {
        named->setToolTip(fromUtf8(row.toolTip));
    }
    return widget;
}

QWidget *WorkingWindow::placed(std::string_view name) const
{
    // The working stands in the area that scrolls it.
    return name == workingControl("Working").name ? m_scroll : part(name);
}

void WorkingWindow::arrange()
{
    const auto lay = [this](const Grid &grid, QWidget *container) {
        auto *layout = new QGridLayout(container);
        for (const Cell &cell : grid.cells) {
            layout->addWidget(placed(cell.control), cell.row, cell.column, cell.rowSpan,
                cell.columnSpan,
                cell.align == CellAlign::Middle ? Qt::AlignVCenter : Qt::Alignment());
        }
        if (grid.stretchRow >= 0) {
            layout->setRowStretch(grid.stretchRow, 1);
        }
        if (grid.stretchColumn >= 0) {
            layout->setColumnStretch(grid.stretchColumn, 1);
        }
    };
    for (const Grid &grid : GroupGrids) {
        lay(grid, part(grid.container));
    }
    lay(DesktopWindowGrid, this);
}

void WorkingWindow::setProblem(const Problem &problem, AnswerForm form)
{
    if (m_hasProblem && problem == m_problem && form == m_form) {
        return;
    }
    m_problem = problem;
    m_form = form;
    m_hasProblem = true;
    work();
    part<QLabel>("Verdict")->clear();
    showWorking(false);
}

// Another method works the same problem another way: the working stays shown
// or hidden, and the verdict stays.
void WorkingWindow::setMethod(Method method)
{
    m_method = method;
    settings().setValue(MethodKey,
        method == Method::KeepMixed ? QStringLiteral("mixed") : QStringLiteral("improper"));
    if (m_hasProblem) {
        work();
        m_scroll->setAccessibleDescription(m_view->shownText());
        fitWorkingArea();
    }
}

void WorkingWindow::work()
{
    m_working = solve(m_problem, m_form, m_method).working;
    m_view->setWorking(m_working);
}

QString WorkingWindow::workingText() const
{
    return fromUtf8(tobarin::workingText(m_working));
}

void WorkingWindow::showWorking(bool shown)
{
    auto *show = part<QPushButton>("ShowWorking");
    {
        const QSignalBlocker blocker(show);
        show->setChecked(shown);
    }
    const WorkingControlDefinition &row = workingControl("ShowWorking");
    show->setText(fromUtf8(shown ? row.pressedCaption : row.caption));
    show->setAccessibleName(show->text());
    m_view->setRevealed(shown);
    m_scroll->setAccessibleDescription(m_view->shownText());
    if (shown) {
        fitWorkingArea();
    }
}

void WorkingWindow::fitWorkingArea()
{
    // The area grows to show the whole working where the screen has room;
    // beyond that it scrolls.
    const QRect screen = this->screen()->availableGeometry();
    const int frame = 2 * m_scroll->frameWidth();
    m_scroll->setMinimumSize(std::min(m_view->sizeHint().width() + frame, screen.width() * 3 / 5),
        std::min(m_view->sizeHint().height() + frame, screen.height() * 3 / 5));
    // A window that grew past the foot of the screen moves up into it.
    if (isVisible()) {
        adjustSize();
        const int below = frameGeometry().bottom() - screen.bottom();
        if (below > 0) {
            move(x(), std::max(screen.top(), y() - below));
        }
    }
}

void WorkingWindow::checkTypedAnswer()
{
    TypedOperand typed;
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        typed.field(field.field) = part<QLineEdit>(field.control)->text().toStdString();
    }
    typed.negative = part<QCheckBox>("AnswerNegative")->isChecked();
    const AnswerCheck check = checkAnswer(m_problem, typed);
    const QString text = fromUtf8(check.text);
    auto *verdict = part<QLabel>("Verdict");
    QPalette palette = verdict->palette();
    const std::optional<std::uint32_t> colour
        = verdictLook(lookOf(categoryOf(check.verdict))).colour;
    palette.setColor(QPalette::WindowText,
        colour ? QColor::fromRgb(*colour) : this->palette().color(QPalette::WindowText));
    verdict->setPalette(palette);
    verdict->setText(text);
    verdict->setAccessibleName(
        fromUtf8(workingControl("Verdict").accessibleName) + QLatin1Char(' ') + text);
    // Told to a screen reader on the control that has the focus, which keeps it.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() == this) {
        focus->setAccessibleDescription(text);
    }
    // A hint of two lines takes its room from the window, not from the working.
    fitWorkingArea();
}

}  // namespace tobarin
