#pragma once

#include <memory>
#include <string_view>

#include <QMainWindow>

class QMenu;

namespace tobarin {

class ControlArray;
class ControlId;
enum class Event;
class PracticeWindow;
class WidgetProperties;
class WorkingWindow;

// The calculator's one window on Qt 6 Widgets: a menu bar with two commands
// above a client area of fixed size holding the operands, the operation, the
// answer and the commands, all built from the window's definition
// (form/definition.h). Constructing it builds every control; the caller shows
// it.
//
// Every control's objectName is its name with its index in parentheses
// ("Text1(0)", "Label1(3)", "Line3", "Command1"); the menu commands are the
// actions "FileExit" and "FileBer".
//
// Beside the controls: Ctrl+C copies the answer as shown; pasting an operand
// such as "2 3/4" into a field fills that operand's fields and sign box; the
// window 「途中式と答え合わせ」 opens with F2, a click on the answer and the
// context menu, which also copies the answer in its other forms; the window
// 「練習」 with F3, the context menu and a button of the working window.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // The widget of a control. Throws std::out_of_range for a menu command,
    // which is an action, not a widget.
    [[nodiscard]] QWidget *control(ControlId control) const;

    // The widget of a control by its name and index (-1 for none), for
    // programs that know the names only; nullptr if there is no such control.
    [[nodiscard]] QWidget *control(std::string_view name, int index = -1) const;

    // Runs the handler bound to an event of a control, as the control's own
    // event does. A run-time error abandons it and is reported (a focus
    // handler's once the focus has finished moving); the program goes on.
    void raiseEvent(ControlId control, Event event);

    // Opens the window 「途中式と答え合わせ」 for the problem in the fields,
    // or brings it to the front when it is open.
    void showWorking();

    // Opens the window 「練習」, the first time beside `beside` (this window
    // when none), or brings it to the front when it is open.
    void showPractice(QWidget *beside = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Pixels for a length in twips at this window's screen resolution.
    [[nodiscard]] int pixels(int twips) const;

    void buildControls();
    void buildMenu();
    void bindEvents();
    // Reports a focus handler's run-time error once the focus has finished
    // moving and any click that moved it has been carried out.
    void reportAfterFocusMove(int number);

    void buildConveniences();
    void followProblem();
    void showContextMenu(QPoint at);
    void addMenuItems(QMenu *menu, bool answerForms);
    // Fills an operand's fields and sign box from a pasted text that reads as
    // an operand with a fraction or a sign; false for any other text.
    bool pasteOperand(ControlArray fields, const QString &text);

    std::unique_ptr<WidgetProperties> m_properties;
    double m_dotsPerInch = 96;
    // A window of its own, not a child of this one: each is activated alone.
    // Made when first opened.
    std::unique_ptr<WorkingWindow> m_working;
    std::unique_ptr<PracticeWindow> m_practice;
};

}  // namespace tobarin
