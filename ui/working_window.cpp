#include "ui/working_window.h"

#include "engine/check/answer_check.h"
#include "engine/solve.h"
#include "ui/fonts.h"
#include "ui/widget_properties.h"
#include "ui/widgets.h"
#include "ui/working_view.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>

#include "form/working_definition.h"

namespace tobarin {

namespace {

// The colour of a verdict: right, the right value not finished, wrong; the
// platform's text colour for the rest.
QColor colourOf(VerdictCategory category, const QPalette &palette)
{
    switch (category) {
    case VerdictCategory::Correct:
        return QColor::fromRgb(0x007A00);
    case VerdictCategory::Close:
        return QColor::fromRgb(0xA05000);
    case VerdictCategory::Wrong:
        return QColor::fromRgb(0xC00000);
    case VerdictCategory::NoAnswer:
    case VerdictCategory::Unreadable:
        break;
    }
    return palette.color(QPalette::WindowText);
}

// Where the chosen method is kept between runs.
QSettings settings()
{
    return QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin"));
}
const QString MethodKey = QStringLiteral("working/method");

QLineEdit *answerField(const PanelControlDefinition &row, QWidget *parent)
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
    for (const PanelControlDefinition &row : WorkingControls) {
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
    for (const char *name : {"AnswerDenominator", "AnswerNumerator", "AnswerWhole"}) {
        connect(part<QLineEdit>(name), &QLineEdit::returnPressed, this,
            &WorkingWindow::checkTypedAnswer);
    }
    const bool mixed = settings().value(MethodKey).toString() == QLatin1String("mixed");
    part<QRadioButton>(mixed ? "MethodMixed" : "MethodImproper")->setChecked(true);
    m_method = mixed ? Method::KeepMixed : Method::MakeImproper;
    for (const auto &[name, method] : {std::pair {"MethodImproper", Method::MakeImproper},
             std::pair {"MethodMixed", Method::KeepMixed}}) {
        connect(part<QRadioButton>(name), &QRadioButton::toggled, this,
            [this, method = method](bool checked) {
                if (checked) {
                    setMethod(method);
                }
            });
    }
    part("AnswerDenominator")->setFocus();

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

template <typename Widget> Widget *WorkingWindow::part(std::string_view name) const
{
    return findChild<Widget *>(fromUtf8(name));
}

QWidget *WorkingWindow::createPart(const PanelControlDefinition &row, QWidget *container)
{
    const QString caption = fromUtf8(row.caption);
    QWidget *widget = nullptr;
    switch (row.kind) {
    case PanelKind::Group:
        widget = new QGroupBox(caption, container);
        break;
    case PanelKind::Working: {
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
    case PanelKind::Button:
        widget = new QPushButton(caption, container);
        break;
    case PanelKind::ToggleButton: {
        auto *button = new QPushButton(caption, container);
        button->setCheckable(true);
        widget = button;
        break;
    }
    case PanelKind::CheckBox:
        widget = new QCheckBox(caption, container);
        break;
    case PanelKind::OptionButton:
        widget = new QRadioButton(caption, container);
        break;
    case PanelKind::TextBox:
        widget = answerField(row, container);
        break;
    case PanelKind::Line: {
        widget = new LineControl(container);
        widget->setFixedHeight(2);
        break;
    }
    case PanelKind::Status: {
        auto *label = new QLabel(container);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    }
    QWidget *named = row.kind == PanelKind::Working ? m_view : widget;
    named->setObjectName(fromUtf8(row.name));
    named->setAccessibleName(fromUtf8(row.accessibleName));
    if (!row.toolTip.empty()) {
        named->setToolTip(fromUtf8(row.toolTip));
    }
    return widget;
}

void WorkingWindow::arrange()
{
    // The typed answer stands as the calculator's operands do: the integer
    // part beside a fraction of numerator, bar and denominator.
    auto *grid = new QGridLayout(part("TypedAnswer"));
    grid->addWidget(part("AnswerNegative"), 0, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(part("AnswerWhole"), 0, 1, 3, 1, Qt::AlignVCenter);
    grid->addWidget(part("AnswerNumerator"), 0, 2);
    grid->addWidget(part("AnswerBar"), 1, 2);
    grid->addWidget(part("AnswerDenominator"), 2, 2);
    grid->addWidget(part("CheckAnswer"), 0, 3, 3, 1, Qt::AlignVCenter);
    grid->setColumnStretch(4, 1);
    grid->addWidget(part("Verdict"), 3, 0, 1, 5);

    auto *methods = new QHBoxLayout(part("Method"));
    methods->addWidget(part("MethodImproper"));
    methods->addWidget(part("MethodMixed"));
    methods->addStretch();

    // The working above its buttons and how it is worked, the typed answer below.
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(part("ShowWorking"));
    buttons->addStretch();
    buttons->addWidget(part("CopyWorking"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(buttons);
    layout->addWidget(part("Method"));
    layout->addWidget(part("TypedAnswer"));
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
    const PanelControlDefinition &row = workingControl("ShowWorking");
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
    typed.field(Field::Denominator) = part<QLineEdit>("AnswerDenominator")->text().toStdString();
    typed.field(Field::Numerator) = part<QLineEdit>("AnswerNumerator")->text().toStdString();
    typed.field(Field::Whole) = part<QLineEdit>("AnswerWhole")->text().toStdString();
    typed.negative = part<QCheckBox>("AnswerNegative")->isChecked();
    const AnswerCheck check = checkAnswer(m_problem, typed);
    const QString text = fromUtf8(check.text);
    auto *verdict = part<QLabel>("Verdict");
    QPalette palette = verdict->palette();
    palette.setColor(QPalette::WindowText, colourOf(categoryOf(check.verdict), this->palette()));
    verdict->setPalette(palette);
    verdict->setText(text);
    verdict->setAccessibleName(
        fromUtf8(workingControl("Verdict").accessibleName) + QLatin1Char(' ') + text);
    // Told to a screen reader on the control that has the focus, which keeps it.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() == this) {
        focus->setAccessibleDescription(text);
    }
}

}  // namespace tobarin
