#include "ui/working_window.h"

#include "engine/answer_check.h"
#include "engine/calculate.h"
#include "engine/runtime_error.h"
#include "engine/working.h"
#include "ui/fonts.h"
#include "ui/widget_properties.h"
#include "ui/widgets.h"
#include "ui/working_view.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include "form/definition.h"

namespace tobarin {

namespace {

const QString ShowCaption = QStringLiteral("途中式を見る");
const QString HideCaption = QStringLiteral("途中式を隠す");

// The colour of a verdict: right, the right value not finished, wrong; the
// platform's text colour for the rest.
QColor colourOf(Verdict verdict, const QPalette &palette)
{
    switch (verdict) {
    case Verdict::Correct:
    case Verdict::CorrectMixed:
    case Verdict::CorrectImproper:
        return QColor::fromRgb(0x007A00);
    case Verdict::NotReduced:
    case Verdict::MixedFractionTooLarge:
    case Verdict::NotReducedAndTooLarge:
    case Verdict::WholeAsFraction:
        return QColor::fromRgb(0xA05000);
    case Verdict::Wrong:
        return QColor::fromRgb(0xC00000);
    case Verdict::NoAnswer:
    case Verdict::Unreadable:
        break;
    }
    return palette.color(QPalette::WindowText);
}

QLineEdit *answerField(const QString &objectName, const QString &hint,
    const QString &accessibleName, Qt::Alignment alignment, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setFont(fontOf(Font::A));
    field->setPlaceholderText(hint);
    field->setAccessibleName(accessibleName);
    field->setAlignment(alignment | Qt::AlignVCenter);
    // Room for eight digits, more than any answer of two operands of the calculator needs
    // in a field; longer texts scroll.
    field->setFixedWidth(QFontMetrics(field->font()).horizontalAdvance(QString(8, u'0')) + 12);
    return field;
}

}  // namespace

WorkingWindow::WorkingWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_view(new ui::WorkingView(this))
    , m_scroll(new QScrollArea(this))
    , m_show(new QPushButton(ShowCaption, this))
{
    setObjectName(QStringLiteral("WorkingWindow"));
    setWindowTitle(QStringLiteral("途中式と答え合わせ"));
    setFont(fontOf(Font::B));

    m_view->setObjectName(QStringLiteral("Working"));
    m_scroll->setObjectName(QStringLiteral("WorkingArea"));
    m_scroll->setAccessibleName(QStringLiteral("途中式の欄"));
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    fitWorkingArea();

    m_show->setObjectName(QStringLiteral("ShowWorking"));
    m_show->setAccessibleName(ShowCaption);
    m_show->setCheckable(true);
    connect(m_show, &QPushButton::toggled, this, &WorkingWindow::showWorking);
    auto *copy = new QPushButton(QStringLiteral("コピー"), this);
    copy->setObjectName(QStringLiteral("CopyWorking"));
    copy->setAccessibleName(QStringLiteral("途中式をコピー"));
    copy->setToolTip(QStringLiteral("途中式を文字でクリップボードにコピーします"));
    connect(copy, &QPushButton::clicked, this, &WorkingWindow::copyWorking);

    auto *box = new QGroupBox(QStringLiteral("自分の答え"), this);
    box->setObjectName(QStringLiteral("TypedAnswer"));
    box->setAccessibleName(QStringLiteral("自分の答え"));
    buildAnswerCheck(box);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_show);
    buttons->addStretch();
    buttons->addWidget(copy);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(buttons);
    layout->addWidget(box);

    // The order a pupil fills the answer in, as in the calculator: the
    // denominator first; then the working.
    setTabOrder(m_den, m_num);
    setTabOrder(m_num, m_whole);
    setTabOrder(m_whole, m_negative);
    setTabOrder(m_negative, box->findChild<QPushButton *>());
    setTabOrder(box->findChild<QPushButton *>(), m_show);
    setTabOrder(m_show, m_scroll);
    setTabOrder(m_scroll, copy);
    m_den->setFocus();

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void WorkingWindow::buildAnswerCheck(QWidget *box)
{
    m_negative = new QCheckBox(QStringLiteral("マイナス"), box);
    m_negative->setObjectName(QStringLiteral("AnswerNegative"));
    m_negative->setAccessibleName(QStringLiteral("自分の答えをマイナスにする"));
    m_whole = answerField(QStringLiteral("AnswerWhole"), QStringLiteral("整数"),
        QStringLiteral("自分の答えの整数部分"), Qt::AlignRight, box);
    m_num = answerField(QStringLiteral("AnswerNumerator"), QStringLiteral("分子"),
        QStringLiteral("自分の答えの分子"), Qt::AlignHCenter, box);
    m_den = answerField(QStringLiteral("AnswerDenominator"), QStringLiteral("分母"),
        QStringLiteral("自分の答えの分母"), Qt::AlignHCenter, box);
    auto *bar = new ui::LineControl(box);
    bar->setAccessibleName(QStringLiteral("自分の答えの分数の線"));
    bar->setFixedHeight(2);
    auto *check = new QPushButton(QStringLiteral("答え合わせ"), box);
    check->setObjectName(QStringLiteral("CheckAnswer"));
    check->setAccessibleName(QStringLiteral("答え合わせ"));
    m_verdict = new QLabel(box);
    m_verdict->setObjectName(QStringLiteral("Verdict"));
    m_verdict->setAccessibleName(QStringLiteral("答え合わせの結果"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextFormat(Qt::PlainText);

    // The typed answer stands as the calculator's operands do: the integer
    // part beside a fraction of numerator, bar and denominator.
    auto *grid = new QGridLayout(box);
    grid->addWidget(m_negative, 0, 0, 3, 1, Qt::AlignVCenter);
    grid->addWidget(m_whole, 0, 1, 3, 1, Qt::AlignVCenter);
    grid->addWidget(m_num, 0, 2);
    grid->addWidget(bar, 1, 2);
    grid->addWidget(m_den, 2, 2);
    grid->addWidget(check, 0, 3, 3, 1, Qt::AlignVCenter);
    grid->setColumnStretch(4, 1);
    grid->addWidget(m_verdict, 3, 0, 1, 5);

    connect(check, &QPushButton::clicked, this, &WorkingWindow::checkTypedAnswer);
    for (QLineEdit *field : {m_den, m_num, m_whole}) {
        connect(field, &QLineEdit::returnPressed, this, &WorkingWindow::checkTypedAnswer);
    }
}

void WorkingWindow::setProblem(const Problem &problem)
{
    if (m_hasProblem && problem == m_problem) {
        return;
    }
    m_problem = problem;
    m_hasProblem = true;

    MemoryForm form;
    enterProblem(form, problem);
    Working working;
    try {
        Command1_Click(form, &working);
    } catch (const RuntimeError &) {  // NOLINT(bugprone-empty-catch): the working records it
    }
    const std::string report = reportText(working);
    m_workingText = fromUtf8(tobarin::workingText(working) + (report.empty() ? "" : report + "\n"));
    m_view->setWorking(working);
    m_verdict->clear();
    showWorking(false);
}

QString WorkingWindow::workingText() const
{
    return m_workingText;
}

void WorkingWindow::showWorking(bool shown)
{
    {
        const QSignalBlocker blocker(m_show);
        m_show->setChecked(shown);
    }
    m_show->setText(shown ? HideCaption : ShowCaption);
    m_show->setAccessibleName(m_show->text());
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
        std::min(m_view->sizeHint().height() + frame, screen.height() / 2));
}

void WorkingWindow::checkTypedAnswer()
{
    const TypedOperand typed {
        {m_den->text().toStdString(), m_num->text().toStdString(), m_whole->text().toStdString()},
        m_negative->isChecked()};
    const AnswerCheck check = checkAnswer(m_problem, typed);
    const QString text = fromUtf8(check.text);
    QPalette palette = m_verdict->palette();
    palette.setColor(QPalette::WindowText, colourOf(check.verdict, this->palette()));
    m_verdict->setPalette(palette);
    m_verdict->setText(text);
    m_verdict->setAccessibleName(QStringLiteral("答え合わせの結果 ") + text);
    // Told to a screen reader on the control that has the focus, which keeps it.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() == this) {
        focus->setAccessibleDescription(text);
    }
}

void WorkingWindow::copyWorking()
{
    QGuiApplication::clipboard()->setText(m_workingText);
}

}  // namespace tobarin
