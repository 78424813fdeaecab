#pragma once

#include "engine/results/class_results.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPagedPaintDevice;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace tobarin {

// The window 「クラスの結果」, opened from the window 「練習」: the result
// codes the pupils handed in, pasted one a line or read from a file, shown as
// a table for each set (pupils by 出席番号 × problems ○ △ ×, each pupil's
// score and time, each problem's rate right at the first try, the class's
// mistakes ranked), saved as CSV and printed on A4. The codes are read and
// ranked by the engine (engine/results/class_results.h), as on the command
// line; the window only shows what it gives. A top-level window, not modal.
class ResultsWindow : public QWidget {
public:
    explicit ResultsWindow(QWidget *parent = nullptr);

    // Reads the codes as the field holds them now, and shows them.
    void readCodes();

    // The page as it prints: the tables of every set, A4 upright. False when
    // the device could not be painted on.
    bool drawOnPaper(QPagedPaintDevice &paper) const;

private:
    void openFile();
    void saveCsv();
    void printTables();
    [[nodiscard]] QWidget *setView(const results::SetTable &table);

    QPlainTextEdit *m_codes = nullptr;
    QListWidget *m_notes = nullptr;
    QWidget *m_tables = nullptr;
    QVBoxLayout *m_tablesLayout = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
    results::ClassResults m_results;
};

}  // namespace tobarin
