#include "ui/form1.h"

#include "engine/decimal_text.h"
#include "engine/events.h"
#include "engine/problem.h"
#include "engine/problem_text.h"
#include "ui/fonts.h"
#include "ui/widget_properties.h"
#include "ui/widgets.h"
#include "ui/working_window.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFont>
#include <QHash>
#include <QHelpEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>

#include "form/definition.h"

namespace tobarin {

namespace {

QString objectNameOf(ControlId control)
{
    return fromUtf8(control.objectName());
}

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

QWidget *createWidget(const ControlDefinition &row, const QFont &font, QWidget *container)
{
    const QString caption = fromUtf8(row.caption);
    switch (row.kind) {
    case Kind::Frame:
        return new ui::FrameControl(caption, container);
    case Kind::OptionButton: {
        auto *option = new ui::OptionButton(caption, container);
        option->setChecked(row.selected);
        return option;
    }
    case Kind::CheckBox:
        return new ui::CheckBoxControl(caption, container);
    case Kind::Label: {
        auto *label = new ui::FittingLabel(font, fromUtf8(row.accessibleName), row.fit, container);
        label->setAlignment(alignmentOf(row.align) | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        if (row.textColour) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor::fromRgb(*row.textColour));
            label->setPalette(palette);
        }
        return label;
    }
    case Kind::TextBox: {
        auto *field = new ui::EntryField(font, row.typingLimit, container);
        field->setAlignment(alignmentOf(row.align) | Qt::AlignVCenter);
        return field;
    }
    case Kind::Line:
        return new ui::LineControl(container);
    case Kind::CommandButton: {
        auto *button = new QPushButton(caption, container);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    }
    return nullptr;
}

bool takesFocus(Kind kind)
{
    return kind == Kind::OptionButton || kind == Kind::CheckBox || kind == Kind::TextBox
        || kind == Kind::CommandButton;
}

}  // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
    , m_properties(std::make_unique<WidgetProperties>(*this))
{
    if (const QScreen *s = screen()) {
        m_dotsPerInch = s->logicalDotsPerInch();
    }
    installFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setFont(fontOf(Font::W));
    setWindowTitle(fromUtf8(WindowTitle));
    setWindowIcon(QIcon(QStringLiteral(":/tobarin/tobarin-32.xpm")));

    buildMenu();
    buildControls();
    bindEvents();
    // Ctrl+Q quits like 終了, as in most programs. It is the window's own
    // shortcut: the menu commands have none.
    auto *quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, [this] { raiseEvent(FileExit, Event::Click); });
    buildConveniences();

    // A fixed window: the client area below the menu bar has the size of its
    // contents. It opens in the middle of the screen.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen *s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    control(Option1[0])->setFocus();
}

Form1::~Form1() = default;

QWidget *Form1::control(ControlId control) const
{
    auto *widget = findChild<QWidget *>(objectNameOf(control));
    if (!widget) {
        throw std::out_of_range("not a widget of the window: " + control.objectName());
    }
    return widget;
}

QWidget *Form1::control(std::string_view name, int index) const
{
    const auto id = findControl(name, index);
    return id ? findChild<QWidget *>(objectNameOf(*id)) : nullptr;
}

int Form1::pixels(int twips) const
{
    return static_cast<int>(std::lround(twips * m_dotsPerInch / 1440.0));
}

void Form1::buildMenu()
{
    // Commands right on the menu bar, each acting at once: no drop-down.
    for (const MenuCommandDefinition &command : MenuCommands) {
        QAction *action = menuBar()->addAction(fromUtf8(command.caption));
        action->setObjectName(objectNameOf(idOf(command)));
    }
}

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(pixels(ClientWidth), pixels(ClientHeight));
    setCentralWidget(client);

    QHash<QString, QWidget *> containers {{QString(), client}};
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const ControlDefinition &row : Controls) {
        QWidget *container = containers.value(fromUtf8(row.container));
        const QFont font = fontOf(row.font);
        QWidget *widget = createWidget(row, font, container);
        widget->setObjectName(objectNameOf(idOf(row)));
        widget->setFont(font);
        if (row.kind == Kind::Line) {
            const int x1 = pixels(row.left);
            const int x2 = pixels(row.width);
            widget->setGeometry(x1, pixels(row.top), std::max(1, x2 - x1), 1);
        } else {
            widget->setGeometry(
                pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height));
        }
        if (auto *label = dynamic_cast<ui::FittingLabel *>(widget)) {
            label->setFittingText(fromUtf8(row.caption));  // now that its size is known
        } else {
            widget->setAccessibleName(fromUtf8(row.accessibleName));
        }
        if (row.kind == Kind::Frame) {
            containers.insert(fromUtf8(row.name), widget);
        }
        if (takesFocus(row.kind)) {
            tabStops.emplace_back(row.tabIndex, widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (row.kind == Kind::Label || row.kind == Kind::Line) {
            widget->lower();
        }
    }

    for (const ControlId id : StackFromBottom) {
        control(id)->raise();
    }

    std::sort(tabStops.begin(), tabStops.end());
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }
}

void Form1::bindEvents()
{
    for (const ControlDefinition &row : Controls) {
        const ControlId id = idOf(row);
        QWidget *widget = control(id);
        const auto handle
            = [this, id](Event event) { return [this, id, event] { raiseEvent(id, event); }; };
        if (bindingOf(id, Event::Click)) {
            // clicked, not toggled: selecting the selected option button runs it again.
            connect(qobject_cast<QAbstractButton *>(widget), &QAbstractButton::clicked, this,
                handle(Event::Click));
        }
        if (auto *field = qobject_cast<ui::EntryField *>(widget)) {
            if (bindingOf(id, Event::GotFocus)) {
                connect(field, &ui::EntryField::gotFocus, this, handle(Event::GotFocus));
            }
            if (bindingOf(id, Event::LostFocus)) {
                connect(field, &ui::EntryField::lostFocus, this, handle(Event::LostFocus));
            }
        }
    }
    for (const MenuCommandDefinition &row : MenuCommands) {
        const ControlId command = idOf(row);
        auto *action = findChild<QAction *>(objectNameOf(command));
        connect(action, &QAction::triggered, this,
            [this, command] { raiseEvent(command, Event::Click); });
    }
}

void Form1::raiseEvent(ControlId control, Event event)
{
    const auto pending = tobarin::raiseEvent(*m_properties, control, event);
    if (const Binding *binding = bindingOf(control, event)) {
        m_properties->afterHandler(binding->announcesAnswer);
    }
    if (!pending) {
        return;
    }
    if (pending->when == Report::AtOnce) {
        reportRuntimeError(*m_properties, pending->number);
    } else {
        reportAfterFocusMove(pending->number);
    }
}

namespace {

// Runs a function once every mouse button is up again and the release has
// been delivered.
class AfterRelease : public QObject {
public:
    AfterRelease(std::function<void()> then, QObject *parent)
        : QObject(parent)
        , m_then(std::move(then))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject * /*watched*/, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && QGuiApplication::mouseButtons() == Qt::NoButton) {
            qApp->removeEventFilter(this);
            // Queued, so that it runs once the release has been delivered.
            QTimer::singleShot(0, parent(), std::move(m_then));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

}  // namespace

void Form1::reportAfterFocusMove(int number)
{
    const auto report = [this, number] {
        // Quitting ends the program; an error in the field left behind no
        // longer matters.
        if (isVisible()) {
            reportRuntimeError(*m_properties, number);
        }
    };
    // The focus moves on a mouse press, but the click is carried out on the
    // release: a message box opened in between would take the release, and
    // the click would be lost. So a held button is waited for, however long.
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        QTimer::singleShot(0, this, report);
    } else {
        new AfterRelease(report, this);
    }
}

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

}  // namespace

void Form1::buildConveniences()
{
    auto *working = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(working, &QShortcut::activated, this, &Form1::showWorking);
    // Ctrl+C copies the answer; an entry field with selected text copies
    // that instead, for it takes the key first.
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    connect(
        copy, &QShortcut::activated, this, [this] { copyToClipboard(answerText(*m_properties)); });

    auto *answerArea = new AnswerArea([this] { showWorking(); }, this);
    QWidget *client = centralWidget();
    client->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(client, &QWidget::customContextMenuRequested, this, &Form1::showContextMenu);
    for (const ControlDefinition &row : Controls) {
        const ControlId id = idOf(row);
        if (isAnswerPart(id)) {
            answerArea->watch(control(id));
        }
        auto *field = qobject_cast<ui::EntryField *>(control(id));
        if (!field) {
            continue;
        }
        const ControlArray operand = Text1.contains(id) ? Text1 : Text2;
        field->setPasteFilter(
            [this, operand](const QString &text) { return pasteOperand(operand, text); });
        connect(field, &ui::EntryField::contextMenuOpening, this, [this](QMenu *menu) {
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
    m_working->setProblem(problemIn(*m_properties));
    if (first) {
        // Beside the calculator where the screen has room, so that both are seen.
        m_working->adjustSize();
        const QRect screen = this->screen()->availableGeometry();
        const QRect frame = frameGeometry();
        const int width = m_working->frameGeometry().width();
        int left = frame.right() + 1;
        if (left + width > screen.right() + 1) {
            left = std::max(screen.left(), frame.left() - width);
        }
        const int top = std::clamp(frame.top(), screen.top(),
            std::max(screen.top(), screen.bottom() + 1 - m_working->frameGeometry().height()));
        m_working->move(left, top);
    }
    if (m_working->isVisible()) {
        m_working->raise();
    }
    m_working->show();
    m_working->activateWindow();
}

void Form1::followProblem()
{
    const auto follow = [this] {
        if (m_working->isVisible()) {
            m_working->setProblem(problemIn(*m_properties));
        }
    };
    for (const ControlArray fields : {Text1, Text2}) {
        for (int index = 0; index < fields.size(); ++index) {
            connect(qobject_cast<QLineEdit *>(control(fields[index])), &QLineEdit::textChanged,
                m_working.get(), follow);
        }
    }
    for (const ControlArray buttons : {Check1, Option1}) {
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
        copyItem(
            QStringLiteral("答えをコピー"), QStringLiteral("CopyAnswer"), answerText(*m_properties))
            ->setShortcut(QKeySequence::Copy);
        copyItem(QStringLiteral("仮分数でコピー"), QStringLiteral("CopyImproper"),
            improperAnswerText(*m_properties));
        const auto value = answerValue(*m_properties);
        copyItem(QStringLiteral("小数でコピー"), QStringLiteral("CopyDecimal"),
            value ? decimalText(value->num, value->den) : std::string());
        menu->addSeparator();
    }
    QAction *working = menu->addAction(QStringLiteral("途中式と答え合わせ"));
    working->setObjectName(QStringLiteral("ShowWorking"));
    working->setShortcut(QKeySequence(Qt::Key_F2));
    connect(working, &QAction::triggered, this, &Form1::showWorking);
}

bool Form1::pasteOperand(ControlArray fields, const QString &text)
{
    const Parsed<TypedOperand> read = parseOperand(text.trimmed().toStdString());
    if (!read.value || (!read.value->negative && read.value->fields[0].empty())) {
        return false;
    }
    for (int index = 0; index < fields.size(); ++index) {
        m_properties->setText(fields[index], read.value->fields[static_cast<std::size_t>(index)]);
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

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_working) {
        m_working->close();
    }
    QMainWindow::closeEvent(event);
}

}  // namespace tobarin
