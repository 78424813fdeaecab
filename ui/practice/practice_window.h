#pragma once

#include "engine/practice/round.h"
#include "engine/practice/set_code.h"
#include "ui/paper/worksheet_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <QElapsedTimer>
#include <QWidget>

class QLineEdit;
class QScrollArea;

namespace tobarin {

class ProblemView;
class ResultsWindow;
class WorkingView;
struct PracticeControlDefinition;
enum class PracticeStage;

// The window 「練習」 (form/practice_definition.h): practice by textbook unit,
// one problem at a time. A pupil chooses the unit, level and number of
// problems, or types a set's code; the set's code is shown from the start of
// the round, so that others can be given the same set. Each problem is drawn
// stacked and answered in the fields of the window 「途中式と答え合わせ」,
// checked as there. A right answer goes on to the next problem; a wrong one is
// told its hint and tried once more; a second miss shows the working (in the
// method chosen in the working window) until 次の問題へ. At the end: the score,
// the time taken, the result code (結果コード) to hand to the teacher, with its
// QR code and コピー, and each problem missed with its working. The pupil's
// 出席番号 in the code is asked on the choosing page, once: it is kept in the
// settings for every window after.
//
// After each problem the record (習得: three right at the first try in a row,
// for each tag of the unit) is noted where the command line keeps it too
// (ui/system/record_file.h), merged into the record as it is kept at that moment,
// and shown for the chosen unit; it can be cleared after a question. A record
// that cannot be kept is told in a message box, once a round; lines of it
// that this version cannot read are kept as they are, and told once. A
// top-level window, not modal.
class PracticeWindow : public QWidget {
public:
    explicit PracticeWindow(QWidget *parent = nullptr);

    // Starts a round of the set of a code at its first problem.
    void start(const practice::SetCode &code);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // A control of the window by its name in the definition.
    template <typename Widget = QWidget> [[nodiscard]] Widget *part(std::string_view name) const;

    QWidget *createPart(const PracticeControlDefinition &row, QWidget *container);
    // The working window's 自分の答え in `container`, with the line that
    // stands in the place of its fields where a problem takes its answer so;
    // gives the first and the last of its controls that take the focus.
    std::pair<QWidget *, QWidget *> createTypedAnswer(QWidget *container);
    // The widget that stands in the layout for a control.
    [[nodiscard]] QWidget *placed(std::string_view name) const;
    void arrange();
    void connectParts();
    void showStage(PracticeStage stage);
    // Fits the window to what it shows, no narrower than it is with keepWidth.
    void fitWindow(bool keepWidth);

    void startChosen();
    void startFromCode();
    void showProblem();
    // Where the answer is typed first: the line, where the problem takes its
    // answer so (practice::answerLineHint), or the denominator.
    [[nodiscard]] QLineEdit *firstAnswerField() const;
    // Opens the answer's controls to typing, or closes them while the working
    // of a miss is shown.
    void answering(bool open);
    void checkTypedAnswer();
    void goOn();
    void finish();
    // The result code at the end, as text to select, a QR code, and コピー.
    void showResultCode();
    void copyResultCode();
    void noteResult(std::size_t problem);
    void tellRecordFailure(const std::string &error);
    void showRecord();
    void clearRecord();
    void openClassResults();
    // The pupils' sheet, or its answer key: two documents, never one.
    [[nodiscard]] WorksheetOptions sheetOptions(bool key) const;
    void printSheet(bool key);
    void saveSheet(bool key);

    std::optional<practice::Round> m_round;
    // The problem on the screen: after a miss, the one missed, while the
    // round has gone on.
    std::size_t m_shown = 0;
    QElapsedTimer m_time;
    qint64 m_taken = 0;  // the milliseconds from the start to the last answer
    ProblemView *m_problem = nullptr;
    WorkingView *m_working = nullptr;
    QScrollArea *m_workingArea = nullptr;
    QScrollArea *m_missedArea = nullptr;
    bool m_recordFailureTold = false;  // in this round
    bool m_unreadTold = false;
    ResultsWindow *m_results = nullptr;  // made when first opened
};

}  // namespace tobarin
