#include "ui/results/results_window.h"

#include "ui/paper/printing.h"
#include "ui/system/kept_file.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tobarin {

namespace {

// Far more codes than a school has pupils, as the command line allows.
constexpr std::size_t MostBytes = std::size_t {64} << 20U;

QString said(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString escaped(std::string_view text)
{
    return said(text).toHtmlEscaped();
}

const QStringList FixedColumns {QStringLiteral("出席番号"), QStringLiteral("正解"),
    QStringLiteral("1回目で正解"), QStringLiteral("時間")};

QString heading(const results::SetTable &table)
{
    return said(table.setCode) + QStringLiteral("　") + said(table.title) + QStringLiteral("　")
        + QString::number(table.pupils.size()) + QStringLiteral("人");
}

// What the page prints: each set's heading, its table and its mistakes.
QString tablesHtml(const std::vector<results::SetTable> &tables)
{
    QString html = QStringLiteral("<html><body style=\"font-size:9.5pt\"><h1 "
                                  "style=\"font-size:14pt\">クラスの結果</h1>");
    for (const results::SetTable &table : tables) {
        html += QStringLiteral("<h2 style=\"font-size:11pt\">") + heading(table).toHtmlEscaped()
            + QStringLiteral("</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>");
        for (const QString &caption : FixedColumns) {
            html += QStringLiteral("<th>") + caption + QStringLiteral("</th>");
        }
        for (std::size_t i = 1; i <= table.problemCount; ++i) {
            html += QStringLiteral("<th>(%1)</th>").arg(i);
        }
        html += QStringLiteral("</tr>");
        for (const results::PupilRow &row : table.pupils) {
            html += QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"center\">%2/%3</td>"
                                   "<td align=\"center\">%4</td><td align=\"right\">%5</td>")
                        .arg(escaped(row.number))
                        .arg(row.right)
                        .arg(table.problemCount)
                        .arg(row.firstTry)
                        .arg(escaped(row.time));
            for (const results::Mark mark : row.marks) {
                html += QStringLiteral("<td align=\"center\">") + said(results::markText(mark))
                    + QStringLiteral("</td>");
            }
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("<tr><td colspan=\"4\" align=\"right\">1回目で正解の割合</td>");
        for (const std::string &rate : table.rates) {
            html += QStringLiteral("<td align=\"center\">") + escaped(rate)
                + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr></table><h3 style=\"font-size:10pt\">つまずき（多い順）</h3>");
        if (table.mistakes.empty()) {
            html += QStringLiteral("<p>なし</p>");
        }
        for (const results::MistakeLine &line : table.mistakes) {
            html += QStringLiteral("<p>") + escaped(line.text) + QStringLiteral("</p>");
        }
    }
    return html + QStringLiteral("</body></html>");
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

ResultsWindow::ResultsWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(QStringLiteral("クラスの結果"));

    auto *codesLabel = new QLabel(
        QStringLiteral("結果コード（1行に1つ。フォームの回答の列をそのまま貼りつけられます）"),
        this);
    m_codes = new QPlainTextEdit(this);
    m_codes->setObjectName(QStringLiteral("Codes"));
    m_codes->setPlaceholderText(QStringLiteral("r1:p1:5-unlike:2:10:4821:12:WK1100006"));
    m_codes->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_codes->setTabChangesFocus(true);
    m_codes->setMaximumHeight(m_codes->fontMetrics().lineSpacing() * 9);
    codesLabel->setBuddy(m_codes);
    connect(m_codes, &QPlainTextEdit::textChanged, this, &ResultsWindow::readCodes);

    auto *open = new QPushButton(QStringLiteral("ファイルから読む…"), this);
    open->setObjectName(QStringLiteral("OpenFile"));
    m_save = new QPushButton(QStringLiteral("CSVに保存…"), this);
    m_save->setObjectName(QStringLiteral("SaveCsv"));
    m_print = new QPushButton(QStringLiteral("印刷…"), this);
    m_print->setObjectName(QStringLiteral("Print"));
    connect(open, &QPushButton::clicked, this, &ResultsWindow::openFile);
    connect(m_save, &QPushButton::clicked, this, &ResultsWindow::saveCsv);
    connect(m_print, &QPushButton::clicked, this, &ResultsWindow::printTables);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);

    m_notes = new QListWidget(this);
    m_notes->setObjectName(QStringLiteral("Notes"));
    m_notes->setAccessibleName(QStringLiteral("読めなかった行と、重なった出席番号"));

    m_tables = new QWidget;
    m_tablesLayout = new QVBoxLayout(m_tables);
    auto *area = new QScrollArea(this);
    area->setWidget(m_tables);
    area->setWidgetResizable(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(codesLabel);
    layout->addWidget(m_codes);
    layout->addLayout(buttons);
    layout->addWidget(m_notes);
    layout->addWidget(area, 1);
    resize(760, 640);
    readCodes();
}

void ResultsWindow::readCodes()
{
    m_results = results::readClassResults(m_codes->toPlainText().toStdString());
    m_notes->clear();
    for (const results::LineNote &note : m_results.notes) {
        auto *item = new QListWidgetItem(said(results::lineNoteText(note)), m_notes);
        if (note.skipped) {
            item->setForeground(QColor(0xA4, 0x00, 0x00));
        }
    }
    m_notes->setVisible(!m_results.notes.empty());
    m_notes->setMaximumHeight(
        m_notes->sizeHintForRow(0) * std::min<int>(static_cast<int>(m_results.notes.size()), 5)
        + 2 * m_notes->frameWidth());

    while (QLayoutItem *item = m_tablesLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const results::SetTable &table : results::classTables(m_results)) {
        m_tablesLayout->addWidget(setView(table));
    }
    m_tablesLayout->addStretch();
    m_save->setEnabled(!m_results.sets.empty());
    m_print->setEnabled(!m_results.sets.empty());
}

QWidget *ResultsWindow::setView(const results::SetTable &table)
{
    auto *view = new QWidget;
    view->setObjectName(said(table.setCode));
    auto *layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 12);
    auto *title = new QLabel(heading(table), view);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    const auto problems = static_cast<int>(table.problemCount);
    auto *grid = new QTableWidget(static_cast<int>(table.pupils.size()) + 1,
        static_cast<int>(FixedColumns.size()) + problems, view);
    grid->setAccessibleName(heading(table));
    QStringList columns = FixedColumns;
    for (int i = 1; i <= problems; ++i) {
        columns << QStringLiteral("(%1)").arg(i);
    }
    grid->setHorizontalHeaderLabels(columns);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t p = 0; p < table.pupils.size(); ++p) {
        const results::PupilRow &row = table.pupils[p];
        const auto r = static_cast<int>(p);
        grid->setItem(r, 0, cell(said(row.number), Qt::AlignRight | Qt::AlignVCenter));
        grid->setItem(r, 1, cell(QStringLiteral("%1/%2").arg(row.right).arg(problems)));
        grid->setItem(r, 2, cell(QString::number(row.firstTry)));
        grid->setItem(r, 3, cell(said(row.time), Qt::AlignRight | Qt::AlignVCenter));
        for (std::size_t i = 0; i < row.marks.size(); ++i) {
            grid->setItem(r, 4 + static_cast<int>(i), cell(said(results::markText(row.marks[i]))));
        }
    }
    const int rates = grid->rowCount() - 1;
    grid->setItem(
        rates, 0, cell(QStringLiteral("1回目で正解の割合"), Qt::AlignRight | Qt::AlignVCenter));
    grid->setSpan(rates, 0, 1, static_cast<int>(FixedColumns.size()));
    for (std::size_t i = 0; i < table.rates.size(); ++i) {
        grid->setItem(rates, 4 + static_cast<int>(i), cell(said(table.rates[i])));
    }
    grid->resizeColumnsToContents();
    grid->resizeRowsToContents();
    // Every row in sight: the window scrolls, not each table. As wide as its
    // columns, scrolled sideways where the window is narrower.
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int height = grid->horizontalHeader()->sizeHint().height() + 2 * grid->frameWidth();
    for (int row = 0; row < grid->rowCount(); ++row) {
        height += grid->rowHeight(row);
    }
    int width = 2 * grid->frameWidth();
    for (int column = 0; column < grid->columnCount(); ++column) {
        width += grid->columnWidth(column);
    }
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setFixedHeight(height + grid->horizontalScrollBar()->sizeHint().height());
    grid->setMaximumWidth(width);

    QString mistakes = QStringLiteral("つまずき（多い順）\n");
    if (table.mistakes.empty()) {
        mistakes += QStringLiteral("なし");
    }
    for (const results::MistakeLine &line : table.mistakes) {
        mistakes += said(line.text) + QLatin1Char('\n');
    }
    auto *ranked = new QLabel(mistakes.trimmed(), view);
    ranked->setObjectName(QStringLiteral("Mistakes"));
    ranked->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(title);
    layout->addWidget(grid);
    layout->addWidget(ranked);
    return view;
}

void ResultsWindow::openFile()
{
    const QString path
        = QFileDialog::getOpenFileName(this, QStringLiteral("結果コードのファイルを開く"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
            QStringLiteral("テキスト・CSV (*.txt *.csv);;すべてのファイル (*)"));
    if (path.isEmpty()) {
        return;
    }
    const ReadFile file = readWhole(QFile::encodeName(path).toStdString(), MostBytes);
    if (!file.error.empty() || !file.exists) {
        QMessageBox::warning(this, windowTitle(),
            QStringLiteral("ファイルを読めませんでした。\n")
                + (file.exists ? said(inJapanese(file.error))
                               : QStringLiteral("ファイルがありません。")));
        return;
    }
    m_codes->setPlainText(
        QString::fromUtf8(file.text.data(), static_cast<qsizetype>(file.text.size())));
}

void ResultsWindow::saveCsv()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("CSVに保存"),
        QDir(folder).filePath(QStringLiteral("クラスの結果.csv")), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string error
        = writeWhole(QFile::encodeName(path).toStdString(), results::classResultsCsv(m_results));
    if (!error.empty()) {
        QMessageBox::warning(this, windowTitle(),
            QStringLiteral("CSVを保存できませんでした。\n") + said(inJapanese(error)));
    }
}

bool ResultsWindow::drawOnPaper(QPagedPaintDevice &paper) const
{
    QPainter painter;
    if (!painter.begin(&paper)) {
        return false;
    }
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&paper);
    document.setHtml(tablesHtml(results::classTables(m_results)));
    const QRectF room = paper.pageLayout().paintRectPixels(paper.logicalDpiX()).toRectF();
    const QSizeF page(room.width(), room.height());
    document.setPageSize(page);
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0 && !paper.newPage()) {
            return false;
        }
        painter.save();
        painter.translate(0, -page.height() * i);
        document.drawContents(&painter, QRectF(QPointF(0, page.height() * i), page));
        painter.restore();
    }
    return painter.end();
}

void ResultsWindow::printTables()
{
    QString error;
    const PrintOutcome outcome = printOnPaper(
        this, windowTitle(), [this](QPagedPaintDevice &paper) { return drawOnPaper(paper); },
        error);
    if (outcome == PrintOutcome::Failed) {
        QString message = QStringLiteral("印刷できませんでした。");
        if (!error.isEmpty()) {
            message += QStringLiteral("\n印刷のしくみ（%1）を読みこめません。").arg(error);
        }
        QMessageBox::warning(this, windowTitle(), message);
    }
}

}  // namespace tobarin
