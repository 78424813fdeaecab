#include "ui/working/working_window.h"

#include "engine/check/answer_check.h"
#include "engine/solve.h"
#include "ui/shared/fonts.h"
#include "ui/shared/widget_properties.h"
#include "ui/working/working_parts.h"
#include "ui/working/working_view.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>

#include "form/practice_definition.h"
#include "form/working_definition.h"

namespace tobarin {

namespace {

Method methodOf(MethodChoice choice)
{
    return choice == MethodChoice::KeepMixed ? Method::KeepMixed : Method::MakeImproper;
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
    // The 式 field above the working, first of the keyboard's stops; as wide
    // as the window lets it be.
    auto *group = createWorkingControl(WorkingExpressionControls[0], this);
    auto *entry
        = static_cast<QLineEdit *>(createWorkingControl(WorkingExpressionControls[1], group));
    // Shown only while it says something.
    createWorkingControl(WorkingExpressionControls[2], group)->hide();
    entry->setMinimumWidth(entry->width());
    entry->setMaximumWidth(QWIDGETSIZE_MAX);
    setTabOrder(entry, part(WorkingControls.front().name));
    arrange();
    fitWorkingArea();
    connect(entry, &QLineEdit::returnPressed, this, &WorkingWindow::enterExpression);
    connect(entry, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_typed && text.trimmed().isEmpty()) {
            followFields();
        }
    });

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
    m_method = keptMethod();
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
    if (row.kind != WorkingKind::Working) {
        return createWorkingControl(row, container);
    }
    // The drawing scrolls where it is larger than its area.
    m_view = new WorkingView(this);
    m_scroll = new QScrollArea(container);
    m_scroll->setObjectName(QStringLiteral("WorkingArea"));
    m_scroll->setAccessibleName(fromUtf8(row.accessibleName) + QStringLiteral("の欄"));
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    m_view->setObjectName(fromUtf8(row.name));
    m_view->setAccessibleName(fromUtf8(row.accessibleName));
    return m_scroll;  // the area takes the focus, to scroll with the keys
}

void WorkingWindow::offerPractice(std::function<void()> open)
{
    auto *button = static_cast<QPushButton *>(createWorkingControl(WorkingPracticeButton, this));
    placeInCell(static_cast<QGridLayout *>(layout()), WorkingPracticeCell, button);
    // The last stop of the keyboard.
    const auto last = std::find_if(WorkingControls.rbegin(), WorkingControls.rend(),
        [](const WorkingControlDefinition &row) { return takesFocus(row.kind); });
    setTabOrder(part(last->name), button);
    connect(button, &QPushButton::clicked, this, std::move(open));
}

QWidget *WorkingWindow::placed(std::string_view name) const
{
    // The working stands in the area that scrolls it.
    return name == workingControl("Working").name ? m_scroll : part(name);
}

void WorkingWindow::arrange()
{
    const auto placedPart = [this](std::string_view name) { return placed(name); };
    for (const Grid &grid : GroupGrids) {
        layOutGrid(grid, part(grid.container), placedPart);
    }
    layOutGrid(ExpressionGrid, part(ExpressionGrid.container), placedPart);
    layOutGrid(DesktopWindowGrid, this, placedPart);
    placeInCell(static_cast<QGridLayout *>(layout()), WorkingExpressionCell,
        part(WorkingExpressionCell.control));
}

void WorkingWindow::setProblem(const Problem &problem, AnswerForm form)
{
    m_fieldsProblem = problem;
    m_hasFieldsProblem = true;
    showProblem(m_typed ? m_problem : problem, form);
}

void WorkingWindow::enterExpression()
{
    auto *message = part<QLabel>("ExpressionMessage");
    const QString text = part<QLineEdit>("ExpressionEntry")->text();
    if (text.trimmed().isEmpty()) {
        followFields();
        return;
    }
    const Parsed<Problem> read = readProblem(text.toStdString());
    if (!read.value) {
        // The problem shown stays as it was.
        message->setText(fromUtf8(read.error));
        message->show();
        return;
    }
    message->clear();
    message->hide();
    m_typed = true;
    showProblem(*read.value, m_form);
}

void WorkingWindow::followFields()
{
    m_typed = false;
    part<QLabel>("ExpressionMessage")->clear();
    part<QLabel>("ExpressionMessage")->hide();
    if (m_hasFieldsProblem) {
        showProblem(m_fieldsProblem, m_form);
    }
}

void WorkingWindow::showProblem(const Problem &problem, AnswerForm form)
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
    keepMethod(method);
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
    fitScrollArea(m_scroll, m_view->sizeHint());
    // A window that grew past the foot of the screen moves up into it.
    if (isVisible()) {
        adjustSize();
        const QRect screen = this->screen()->availableGeometry();
        const int below = frameGeometry().bottom() - screen.bottom();
        if (below > 0) {
            move(x(), std::max(screen.top(), y() - below));
        }
    }
}

void WorkingWindow::checkTypedAnswer()
{
    const AnswerCheck check = checkAnswer(m_problem, typedAnswerIn(*this));
    showVerdict(part<QLabel>("Verdict"), categoryOf(check.verdict), fromUtf8(check.text));
    // A hint of two lines takes its room from the window, not from the working.
    fitWorkingArea();
}

}  // namespace tobarin
