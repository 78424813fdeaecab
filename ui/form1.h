#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include <QMainWindow>

class QAction;

namespace tobarin {

class WidgetProperties;

// The calculator's one window: a menu bar with two commands above a client
// area of fixed size holding the operands, the operation, the answer and the
// commands. Constructing it builds every control; the caller shows it.
//
// Every control's objectName is its name with its index in parentheses
// ("Text1(0)", "Label1(3)", "Line3", "Command1"); the menu commands are the
// actions "FileExit" and "FileBer".
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // The widget of a control, by name and index (-1 for none); nullptr if
    // there is no such control.
    [[nodiscard]] QWidget *control(std::string_view name, int index = -1) const;

    // Event handlers, bound to the controls' events. A run-time error in one
    // abandons it and is reported; the program goes on.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Check1_Click(std::int16_t index);
    void Option1_Click(std::int16_t index);
    void Option2_Click(std::int16_t index);
    void Text1_GotFocus(std::int16_t index);
    void Text2_GotFocus(std::int16_t index);
    void Text1_LostFocus(std::int16_t index);
    void Text2_LostFocus(std::int16_t index);
    void FileExit_Click();
    void FileBer_Click();

private:
    // Pixels for a length in twips at this window's screen resolution.
    [[nodiscard]] int pixels(int twips) const;

    void buildControls();
    void buildMenu();
    void bindEvents();

    // Runs a handler; a run-time error abandons it and is reported, and the
    // program goes on. A focus handler's error is reported once the focus has
    // finished moving, so that the report does not disturb the move.
    enum class Report { AtOnce, AfterFocusMove };
    template <typename Handler> void run(Handler &&handler, Report when = Report::AtOnce);
    void reportRuntimeError(int number);

    std::unique_ptr<WidgetProperties> m_properties;
    double m_dotsPerInch = 96;
    QAction *m_fileExit = nullptr;
    QAction *m_fileBer = nullptr;
};

}  // namespace tobarin
