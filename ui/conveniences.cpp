// The window's conveniences beside its controls: the answer area that opens
// the window 「途中式と答え合わせ」, copying the answer, the context menus,
// pasting an operand into its fields, and where the working and practice
// windows open.

#include "engine/number/decimal_text.h"
#include "engine/window/answer.h"
#include "engine/window/problem.h"
#include "engine/window/problem_text.h"
#include "ui/form1.h"
#include "ui/practice/practice_window.h"
#include "ui/shared/placement.h"
#include "ui/shared/widget_properties.h"
#include "ui/shared/widgets.h"
#include "ui/working/working_window.h"

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>

#include "form/definition.h"

namespace tobarin {

namespace {

const QString AnswerAreaHint = QStringLiteral("クリックすると途中式と答え合わせを表示します");

// The answer's labels and bar: a click on one opens the working, and the
// pointer and a tool tip say so. The tool tip keeps the full text of an answer
// drawn smaller, above the hint.
class AnswerArea : public QObject {
public:
    AnswerArea(std::function<void()> open, QObject *parent)
        : QObject(parent)
        , m_open(std::move(open))
    {
    }

    void watch(QWidget *widget)
    {
        widget->setCursor(Qt::PointingHandCursor);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::ToolTip: {
            const QString own = widget->toolTip();
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                own.isEmpty() ? AnswerAreaHint : own + QLatin1Char('\n') + AnswerAreaHint, widget);
            return true;
        }
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_pressed = widget;
                return true;
            }
            break;
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && m_pressed == widget) {
                m_pressed = nullptr;
                if (widget->rect().contains(mouse->position().toPoint())) {
                    m_open();
                }
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> m_open;
    QObject *m_pressed = nullptr;
};

bool isAnswerPart(ControlId id)
{
    return Label1.contains(id) || id == Line3;
}

void copyToClipboard(const std::string &text)
{
    if (!text.empty()) {
        QGuiApplication::clipboard()->setText(fromUtf8(text));
    }
}

// The answer as text, or nothing when none is shown.
std::string answerText(const std::optional<WrittenNumber> &answer)
{
    return answer ? numberText(*answer) : std::string();
}

// Shows a window of the calculator's, in front.
void bringForward(QWidget *window)
{
    if (window->isVisible()) {
        window->raise();
    }
    window->show();
    window->activateWindow();
}

}  // namespace

void Form1::buildConveniences()
{
    auto *working = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(working, &QShortcut::activated, this, &Form1::showWorking);
    auto *practice = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(practice, &QShortcut::activated, this, [this] { showPractice(); });
    // Ctrl+C copies the answer; an entry field with selected text copies
    // that instead, for it takes the key first.
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this,
        [this] { copyToClipboard(answerText(answerIn(*m_properties))); });

    auto *answerArea = new AnswerArea([this] { showWorking(); }, this);
    QWidget *client = centralWidget();
    client->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(client, &QWidget::customContextMenuRequested, this, &Form1::showContextMenu);
    for (const ControlDefinition &row : Controls) {
        const ControlId id = idOf(row);
        if (isAnswerPart(id)) {
            answerArea->watch(control(id));
        }
        auto *field = qobject_cast<EntryField *>(control(id));
        if (!field) {
            continue;
        }
        const ControlArray operand = Text1.contains(id) ? Text1 : Text2;
        field->setPasteFilter(
            [this, operand](const QString &text) { return pasteOperand(operand, text); });
        connect(field, &EntryField::contextMenuOpening, this, [this](QMenu *menu) {
            menu->addSeparator();
            addMenuItems(menu, false);
        });
    }
}

void Form1::showWorking()
{
    const bool first = !m_working;
    if (first) {
        m_working = std::make_unique<WorkingWindow>();
        m_working->setWindowIcon(windowIcon());
        followProblem();
    }
    m_working->setProblem(problemIn(*m_properties), answerFormIn(*m_properties));
    if (first) {
        m_working->offerPractice([this] { showPractice(m_working.get()); });
        placeBeside(m_working.get(), this);
    }
    bringForward(m_working.get());
}

void Form1::showPractice(QWidget *beside)
{
    if (!m_practice) {
        m_practice = std::make_unique<PracticeWindow>();
        m_practice->setWindowIcon(windowIcon());
        placeBeside(m_practice.get(), beside ? beside : this);
    }
    bringForward(m_practice.get());
}

void Form1::followProblem()
{
    const auto follow = [this] {
        if (m_working->isVisible()) {
            m_working->setProblem(problemIn(*m_properties), answerFormIn(*m_properties));
        }
    };
    for (const ControlArray fields : {Text1, Text2}) {
        for (int index = 0; index < fields.size(); ++index) {
            connect(qobject_cast<QLineEdit *>(control(fields[index])), &QLineEdit::textChanged,
                m_working.get(), follow);
        }
    }
    for (const ControlArray buttons : {Check1, Option1, Option2}) {
        for (int index = 0; index < buttons.size(); ++index) {
            connect(qobject_cast<QAbstractButton *>(control(buttons[index])),
                &QAbstractButton::toggled, m_working.get(), follow);
        }
    }
}

void Form1::showContextMenu(QPoint at)
{
    QWidget *client = centralWidget();
    const QWidget *under = client->childAt(at);
    const bool onAnswer = std::any_of(
        Controls.begin(), Controls.end(), [this, under](const ControlDefinition &row) {
            return isAnswerPart(idOf(row)) && control(idOf(row)) == under;
        });
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    addMenuItems(menu, onAnswer);
    menu->popup(client->mapToGlobal(at));
}

void Form1::addMenuItems(QMenu *menu, bool answerForms)
{
    const auto copyItem
        = [this, menu](const QString &caption, const QString &name, const std::string &text) {
              QAction *item = menu->addAction(caption);
              item->setObjectName(name);
              item->setEnabled(!text.empty());
              connect(item, &QAction::triggered, this, [text] { copyToClipboard(text); });
              return item;
          };
    if (answerForms) {
        const std::optional<WrittenNumber> answer = answerIn(*m_properties);
        const std::optional<Fraction> value = answer ? valueOf(*answer) : std::nullopt;
        copyItem(QStringLiteral("答えをコピー"), QStringLiteral("CopyAnswer"), answerText(answer))
            ->setShortcut(QKeySequence::Copy);
        copyItem(QStringLiteral("仮分数でコピー"), QStringLiteral("CopyImproper"),
            value ? numberText(improperNumberOf(*value)) : std::string());
        copyItem(QStringLiteral("小数でコピー"), QStringLiteral("CopyDecimal"),
            value ? decimalText(value->num, value->den) : std::string());
        menu->addSeparator();
    }
    QAction *working = menu->addAction(QStringLiteral("途中式と答え合わせ"));
    working->setObjectName(QStringLiteral("ShowWorking"));
    working->setShortcut(QKeySequence(Qt::Key_F2));
    connect(working, &QAction::triggered, this, &Form1::showWorking);
    QAction *practice = menu->addAction(QStringLiteral("練習…"));
    practice->setObjectName(QStringLiteral("ShowPractice"));
    practice->setShortcut(QKeySequence(Qt::Key_F3));
    connect(practice, &QAction::triggered, this, [this] { showPractice(); });
}

bool Form1::pasteOperand(ControlArray fields, const QString &text)
{
    const Parsed<TypedOperand> read = parseOperand(text.trimmed().toStdString());
    if (!read.value || (!read.value->negative && read.value->den.empty())) {
        return false;
    }
    for (const Field field : Fields) {
        m_properties->setText(fields[field], read.value->field(field));
    }
    // The sign box is ticked or cleared as a click would, so that its handler
    // shows the sign.
    auto *sign
        = qobject_cast<QAbstractButton *>(control(Check1[fields.name() == Text1.name() ? 0 : 1]));
    if (sign->isChecked() != read.value->negative) {
        sign->click();
    }
    return true;
}

}  // namespace tobarin
