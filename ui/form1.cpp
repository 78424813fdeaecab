#include "ui/form1.h"

#include "engine/number/decimal_text.h"
#include "engine/window/events.h"
#include "engine/window/problem.h"
#include "engine/window/problem_text.h"
#include "ui/practice/practice_window.h"
#include "ui/shared/fonts.h"
#include "ui/shared/widget_properties.h"
#include "ui/shared/widgets.h"
#include "ui/working/working_window.h"

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
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>

#include "form/definition.h"

// The window icon, compiled in: an XPM file is C. Read from a file or a
// resource instead, the icon would go through QImageReader, which loads every
// image format plugin installed to ask whether one of them reads it.
#include "data/icons/tobarin-32.xpm"

namespace tobarin {

namespace {

QString objectNameOf(ControlId control)
{
    return fromUtf8(control.objectName());
}

QWidget *createWidget(const ControlDefinition &row, const QFont &font, QWidget *container)
{
    const QString caption = fromUtf8(row.caption);
    switch (row.kind) {
    case Kind::Frame:
        return new FrameControl(caption, container);
    case Kind::OptionButton: {
        auto *option = new OptionButton(caption, container);
        option->setChecked(row.selected);
        return option;
    }
    case Kind::CheckBox:
        return new CheckBoxControl(caption, container);
    case Kind::Label: {
        auto *label = new FittingLabel(font, fromUtf8(row.accessibleName), row.fit, container);
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
        auto *field = new EntryField(font, row.typingLimit, container);
        field->setAlignment(alignmentOf(row.align) | Qt::AlignVCenter);
        return field;
    }
    case Kind::Line:
        return new LineControl(container);
    case Kind::CommandButton: {
        auto *button = new QPushButton(caption, container);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    }
    return nullptr;
}

// A line edit lays out its empty text in the application's font as it is
// constructed, before it takes the font it is given, and that font would be
// loaded for it, with its fallback faces: a noticeable part of opening the
// window, for a font no control of the window shows. While the controls are
// built, the window's own font, loaded already, stands as the application's.
class ApplicationFontWhileBuilding {
public:
    explicit ApplicationFontWhileBuilding(const QFont &font)
        : m_saved(QApplication::font())
    {
        QApplication::setFont(font);
    }
    ~ApplicationFontWhileBuilding() { QApplication::setFont(m_saved); }
    ApplicationFontWhileBuilding(const ApplicationFontWhileBuilding &) = delete;
    ApplicationFontWhileBuilding &operator=(const ApplicationFontWhileBuilding &) = delete;
    ApplicationFontWhileBuilding(ApplicationFontWhileBuilding &&) = delete;
    ApplicationFontWhileBuilding &operator=(ApplicationFontWhileBuilding &&) = delete;

private:
    QFont m_saved;
};

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
    setWindowIcon(QIcon(QPixmap(tobarin_32_xpm)));

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
        const PixelBox box = placeOf(row, [this](int twips) { return pixels(twips); });
        widget->setGeometry(box.left, box.top, box.width, box.height);
        if (auto *label = dynamic_cast<FittingLabel *>(widget)) {
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
    }

    // Stacked from the bottom up: each raised above those before it.
    std::vector<const ControlDefinition *> stack;
    stack.reserve(Controls.size());
    for (const ControlDefinition &row : Controls) {
        stack.push_back(&row);
    }
    std::stable_sort(
        stack.begin(), stack.end(), [](const ControlDefinition *a, const ControlDefinition *b) {
            return stackLevel(*a) < stackLevel(*b);
        });
    for (const ControlDefinition *row : stack) {
        control(idOf(*row))->raise();
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
        if (auto *field = qobject_cast<EntryField *>(widget)) {
            if (bindingOf(id, Event::GotFocus)) {
                connect(field, &EntryField::gotFocus, this, handle(Event::GotFocus));
            }
            if (bindingOf(id, Event::LostFocus)) {
                connect(field, &EntryField::lostFocus, this, handle(Event::LostFocus));
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

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_working) {
        m_working->close();
    }
    if (m_practice) {
        m_practice->close();
    }
    QMainWindow::closeEvent(event);
}

}  // namespace tobarin
