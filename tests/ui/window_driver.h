#pragma once

#include "ui/form1.h"
#include "ui/shared/window_style.h"

// moc reads this file too and stumbles over the C++20 library headers
// (<compare>, <concepts>).
#ifndef Q_MOC_RUN
#include "engine/problem/problem.h"

#include "form/definition.h"
#endif

#include <memory>
#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace tobarin::testing {

// A message box as the user saw it.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QStringList buttons;
};

// Watches for modal message boxes, records each one and closes it with a real
// click on its first button, so that a handler waiting on one goes on. Like a
// person, it does not click while a mouse button is still held down.
class MessageBoxWatch : public QObject {
public:
    MessageBoxWatch()
    {
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatch::poll);
        m_timer.start(5);
    }

    // The boxes seen since the last call.
    QList<SeenBox> take() { return std::exchange(m_seen, {}); }

    [[nodiscard]] bool empty() const { return m_seen.isEmpty(); }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == m_closing
            || QGuiApplication::mouseButtons() != Qt::NoButton) {
            return;
        }
        QStringList buttons;
        for (QAbstractButton *button : box->buttons()) {
            buttons << button->text();
        }
        m_seen.append({box->windowTitle(), box->text(), box->icon(), buttons});
        m_closing = box;
        QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
    }

    QTimer m_timer;
    QList<SeenBox> m_seen;
    QPointer<QMessageBox> m_closing;
};

// A fresh, shown and active window for each test, driven as a person would:
// clicks land on the window at a point and reach whatever control lies there;
// keys go to the window and reach the focused control.
class WindowDriver {
public:
    WindowDriver()
        : m_form(std::make_unique<Form1>())
    {
        m_form->show();
        activate();
    }

    [[nodiscard]] Form1 &form() const { return *m_form; }

    template <typename Widget = QWidget> [[nodiscard]] Widget *control(ControlId id) const
    {
        return qobject_cast<Widget *>(m_form->control(id));
    }

    // Brings the window back to the front after a message box closed, as a
    // window manager would.
    void activate() const
    {
        if (!m_form->isActiveWindow()) {
            m_form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        }
    }

    // Clicks at a point of a control (its centre by default).
    void click(QWidget *widget, QPoint at = {}) const
    {
        activate();
        const QPoint local = at.isNull() ? widget->rect().center() : at;
        QTest::mouseClick(
            m_form->windowHandle(), Qt::LeftButton, {}, widget->mapTo(m_form.get(), local));
    }
    void click(ControlId id) const { click(control(id)); }

    // Clicks as a person does, holding the button down for a while: the press,
    // the event loop running (a message box may open meanwhile), the release.
    void heldClick(QWidget *widget, int milliseconds = 250) const
    {
        activate();
        const QPoint at = widget->mapTo(m_form.get(), widget->rect().center());
        QWindow *window = m_form->windowHandle();
        // The release comes from a timer, so that it arrives even while a
        // message box runs an event loop of its own (the press itself may
        // run the event loop and open one).
        const auto released = std::make_shared<bool>(false);
        QTimer::singleShot(milliseconds, window, [window, at, released] {
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
            *released = true;
        });
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        QTRY_VERIFY_WITH_TIMEOUT(*released, milliseconds + 5000);
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const
    {
        activate();
        QTest::keyClick(m_form->windowHandle(), key, modifiers);
    }

    // Types a text into the focused control, a key a character; also
    // characters that no key of a US keyboard gives (full-width digits).
    void typeText(const QString &text) const
    {
        for (const QChar c : text) {
            QWidget *target = QApplication::focusWidget();
            if (!target) {
                target = m_form.get();  // no control has the focus: the window takes the key
            }
            if (c.unicode() < 0x7F) {
                QTest::keyClick(target, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), {});
            }
        }
    }

    // Clicks into a field and types the text.
    void type(ControlId field, const QString &text) const
    {
        click(field);
        typeText(text);
    }

    // Clicks a command of the menu bar: 0 終了, 1 バージョン情報.
    void clickMenu(int position) const
    {
        QMenuBar *bar = m_form->menuBar();
        click(bar, bar->actionGeometry(bar->actions().at(position)).center());
    }

    // Types a problem written as one line ("1 2/3 + 3/4") into the empty
    // fields, ticks its sign boxes and selects its operation, with clicks and
    // keys.
    void enter(const char *expression) const
    {
        const TypedProblem problem = fieldsOf(readProblem(expression).value.value()).value();
        const std::pair<ControlArray, const TypedOperand &> operands[]
            = {{Text1, problem.first}, {Text2, problem.second}};
        for (int operand = 0; operand < 2; ++operand) {
            const auto &[fields, typed] = operands[operand];
            for (const Field field : Fields) {
                const std::string &text = typed.field(field);
                if (!text.empty()) {
                    type(fields[field], QString::fromStdString(text));
                }
            }
            if (typed.negative) {
                click(Check1[operand]);
            }
        }
        click(Option1[problem.operation]);
    }

    // Clicks with the right button at a point of a control (its centre by
    // default) and gives the context menu that opens.
    [[nodiscard]] QMenu *openContextMenu(QWidget *widget, QPoint at = {}) const
    {
        activate();
        const QPoint local = at.isNull() ? widget->rect().center() : at;
        QTest::mouseClick(
            m_form->windowHandle(), Qt::RightButton, {}, widget->mapTo(m_form.get(), local));
        QMenu *menu = nullptr;
        [&menu] { QTRY_VERIFY(menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }();
        return menu;
    }

    // An item of a menu, by its object name or its caption without the
    // access key and shortcut ("Paste" for "&Paste\tCtrl+V").
    [[nodiscard]] static QAction *item(const QMenu *menu, const QString &name)
    {
        for (QAction *action : menu->actions()) {
            QString caption = action->text().remove(QLatin1Char('&'));
            if (const auto tab = caption.indexOf(QLatin1Char('\t')); tab >= 0) {
                caption.truncate(tab);
            }
            if (action->objectName() == name || caption == name) {
                return action;
            }
        }
        return nullptr;
    }

    // Clicks an item of an open menu, as a person would.
    static void choose(QMenu *menu, const QString &name)
    {
        QAction *action = item(menu, name);
        QVERIFY2(action, qPrintable(name));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }

    [[nodiscard]] QString label(ControlId id) const { return control<QLabel>(id)->text(); }
    [[nodiscard]] QString text(ControlId field) const { return control<QLineEdit>(field)->text(); }
    // The answer as the user sees it: sign|integer part|numerator/denominator|bar.
    [[nodiscard]] QString answer() const
    {
        return QStringLiteral("%1|%2|%3/%4|%5")
            .arg(label(Label1[3]), label(Label1[2]), label(Label1[1]), label(Label1[0]),
                m_form->control(Line3)->isHidden() ? QStringLiteral("no bar")
                                                   : QStringLiteral("bar"));
    }

    [[nodiscard]] QString focusName() const
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

private:
    std::unique_ptr<Form1> m_form;
};

// The fixture of the window's test suites: a fresh window for every test, and
// a watch on message boxes; a test that leaves one it did not take fails.
class WindowTestCase : public QObject {
    Q_OBJECT

protected:
    WindowDriver &w() { return *m_window; }
    MessageBoxWatch &boxes() { return *m_boxes; }

private slots:
    // The style the program uses.
    void initTestCase() { useWindowStyle(); }

    void init()
    {
        m_boxes.emplace();
        m_window.emplace();
    }

    void cleanup()
    {
        m_window.reset();
        const auto unexpected = m_boxes->take();
        m_boxes.reset();
        for (const auto &box : unexpected) {
            qWarning("unexpected message box: %s", qPrintable(box.text));
        }
        QVERIFY(unexpected.isEmpty());
    }

private:
    std::optional<MessageBoxWatch> m_boxes;
    std::optional<WindowDriver> m_window;
};

}  // namespace tobarin::testing
