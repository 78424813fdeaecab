#pragma once

#include "engine/problem.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace tobarin {

namespace ui {
class WorkingView;
}

// The window 「途中式と答え合わせ」: the working of a problem, drawn as in a
// textbook, and a check of the answer a pupil types for it. A top-level
// window of its own beside the calculator, which owns it; it is not modal.
//
// The working is worked out on a window held in memory, never on the
// calculator's own window, whose answer stays as it is. It stays hidden until
// asked for, so that a pupil can check an answer before seeing the right one;
// a new problem hides it again and clears the verdict.
class WorkingWindow : public QWidget {
public:
    explicit WorkingWindow(QWidget *parent = nullptr);

    // The problem to work and check; the same problem again changes nothing.
    void setProblem(const Problem &problem);

    // The working as text, as `tobarin --calc EXPR --steps` writes it, with
    // the report of a calculation that stops on its last line.
    [[nodiscard]] QString workingText() const;

private:
    void buildAnswerCheck(QWidget *box);
    void showWorking(bool shown);
    void fitWorkingArea();
    void checkTypedAnswer();
    void copyWorking();

    Problem m_problem;
    bool m_hasProblem = false;
    QString m_workingText;
    ui::WorkingView *m_view;
    QScrollArea *m_scroll;
    QPushButton *m_show;
    QLineEdit *m_whole = nullptr;
    QLineEdit *m_num = nullptr;
    QLineEdit *m_den = nullptr;
    QCheckBox *m_negative = nullptr;
    QLabel *m_verdict = nullptr;
};

}  // namespace tobarin
