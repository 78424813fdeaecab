#include "ui/practice/practice_window.h"

#include "engine/practice/generator.h"
#include "engine/practice/round.h"
#include "engine/practice/tags.h"
#include "engine/practice/units.h"
#include "engine/working/textbook.h"
#include "ui/paper/printing.h"
#include "ui/paper/worksheet.h"
#include "ui/practice/problem_view.h"
#include "ui/results/results_window.h"
#include "ui/shared/fonts.h"
#include "ui/shared/placement.h"
#include "ui/shared/widget_properties.h"
#include "ui/system/kept_file.h"
#include "ui/system/record_file.h"
#include "ui/working/working_parts.h"
#include "ui/working/working_view.h"

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <qrcodegen.hpp>

#include "form/practice_definition.h"
#include "form/working_definition.h"

namespace tobarin {

namespace {

using practice::Round;

// The unit and level last chosen, and the pupil's 出席番号 (none when not
// kept). The record is kept where the command line keeps it
// (ui/system/record_file.h), so that both note the same.
QSettings settings()
{
    return QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin"));
}
const QString UnitKey = QStringLiteral("practice/unit");
const QString LevelKey = QStringLiteral("practice/level");
const QString NumberKey = QStringLiteral("practice/number");

QString said(std::string_view text)
{
    return fromUtf8(text);
}

QString marksOf(int streak)
{
    const int inARow = practice::Record::InARow;
    if (streak >= inARow) {
        return said(MasteredMark);
    }
    return said(StreakDone).repeated(streak) + said(StreakToGo).repeated(inARow - streak);
}

QString captionOf(practice::Tag tag)
{
    const std::string_view id = practice::tagName(tag);
    const auto *row = std::find_if(TagCaptions.begin(), TagCaptions.end(),
        [id](const TagCaption &caption) { return caption.tag == id; });
    return said(row == TagCaptions.end() ? id : row->caption);
}

// The QR code of a text, each module `module` pixels with a quiet zone of
// four modules, drawn sharp at the screen's scale.
QPixmap qrPixmap(const std::string &text, int module, qreal scale)
{
    const qrcodegen::QrCode code
        = qrcodegen::QrCode::encodeText(text.c_str(), qrcodegen::QrCode::Ecc::MEDIUM);
    constexpr int Quiet = 4;
    const int pixels = qRound(module * scale);
    const int side = (code.getSize() + 2 * Quiet) * pixels;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < code.getSize(); ++y) {
        for (int x = 0; x < code.getSize(); ++x) {
            if (!code.getModule(x, y)) {
                continue;
            }
            for (int dy = 0; dy < pixels; ++dy) {
                for (int dx = 0; dx < pixels; ++dx) {
                    image.setPixel(
                        (x + Quiet) * pixels + dx, (y + Quiet) * pixels + dy, 0xff000000);
                }
            }
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(static_cast<qreal>(pixels) / module);
    return pixmap;
}

// A working drawn whole, in an area that scrolls it where it is larger.
QScrollArea *scrolled(QWidget *content, QWidget *container)
{
    auto *area = new QScrollArea(container);
    area->setWidget(content);
    area->setWidgetResizable(true);
    return area;
}

}  // namespace

PracticeWindow::PracticeWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowTitle(said(PracticeTitle));
    setFont(fontOf(Font::B));

    QWidget *previousStop = nullptr;
    for (const PracticeControlDefinition &row : PracticeControls) {
        if (!onDesktop(row)) {
            continue;
        }
        QWidget *container = row.container.empty() ? this : part(row.container);
        // A field named by its caption beside it gets a label of its own first.
        auto *label = captionedBeside(row) ? new QLabel(said(row.caption), container) : nullptr;
        QWidget *first = nullptr;
        QWidget *last = nullptr;
        if (row.kind == PracticeKind::TypedAnswer) {
            std::tie(first, last) = createTypedAnswer(container);
        } else {
            first = last = createPart(row, container);
        }
        if (label) {
            label->setObjectName(said(row.name) + said(LabelSuffix));
            label->setBuddy(first);
        }
        if (takesFocus(row.kind)) {
            if (previousStop) {
                setTabOrder(previousStop, first);
            }
            previousStop = last;
        }
    }
    arrange();
    connectParts();
    part("CodeMessage")->hide();
    showStage(PracticeStage::Choosing);

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void PracticeWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window system's frame is known once the window is shown: the
    // window, placed before, moves where it fits with it.
    QTimer::singleShot(0, this, [this] { keepOnScreen(this); });
}

template <typename Widget> Widget *PracticeWindow::part(std::string_view name) const
{
    return findChild<Widget *>(fromUtf8(name));
}

QWidget *PracticeWindow::createPart(const PracticeControlDefinition &row, QWidget *container)
{
    const QString caption = said(row.caption);
    QWidget *widget = nullptr;
    QWidget *named = nullptr;  // the widget that carries the control's name, if not `widget`
    switch (row.kind) {
    case PracticeKind::Part:
        widget = new QWidget(container);
        break;
    case PracticeKind::Group:
        widget = new QGroupBox(caption, container);
        break;
    case PracticeKind::Choice:
        widget = new QComboBox(container);
        break;
    case PracticeKind::Number:
        widget = new QSpinBox(container);
        break;
    case PracticeKind::PupilNumber: {
        // 0 is none, shown as PracticeText.noNumber.
        auto *number = new QSpinBox(container);
        number->setRange(0, results::MostNumber);
        number->setSpecialValueText(said(PracticeText.noNumber));
        widget = number;
        break;
    }
    case PracticeKind::QrCode: {
        auto *qr = new QLabel(container);
        qr->setAlignment(Qt::AlignRight | Qt::AlignTop);
        widget = qr;
        break;
    }
    case PracticeKind::TextBox:
    case PracticeKind::Code: {
        auto *field = new QLineEdit(container);
        if (row.kind == PracticeKind::Code) {
            field->setReadOnly(true);
        } else {
            field->setPlaceholderText(caption);
        }
        widget = field;
        break;
    }
    case PracticeKind::Button: {
        auto *button = new QPushButton(caption, container);
        button->setAutoDefault(true);  // Enter presses the button that has the focus
        widget = button;
        break;
    }
    case PracticeKind::Status:
    case PracticeKind::Message:
    case PracticeKind::Progress: {
        auto *status = new QLabel(container);
        status->setTextFormat(Qt::PlainText);
        status->setWordWrap(true);
        widget = status;
        break;
    }
    case PracticeKind::Problem:
        m_problem = new ProblemView(container);
        widget = m_problem;
        break;
    case PracticeKind::Working:
        m_working = new WorkingView(this);
        m_working->setRevealed(true);
        m_workingArea = scrolled(m_working, container);
        m_workingArea->setObjectName(QStringLiteral("WorkingArea"));
        m_workingArea->setAccessibleName(said(row.accessibleName) + QStringLiteral("の欄"));
        widget = m_workingArea;
        named = m_working;
        break;
    case PracticeKind::MissedList: {
        auto *list = new QWidget;
        list->setBackgroundRole(QPalette::Base);
        list->setAutoFillBackground(true);
        m_missedArea = scrolled(list, container);
        widget = m_missedArea;
        break;
    }
    case PracticeKind::Record: {
        auto *table = new QTableWidget(0, static_cast<int>(RecordColumns.size()), container);
        QStringList headings;
        for (const std::string_view heading : RecordColumns) {
            headings << said(heading);
        }
        table->setHorizontalHeaderLabels(headings);
        table->verticalHeader()->hide();
        table->horizontalHeader()->setStretchLastSection(true);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        widget = table;
        break;
    }
    case PracticeKind::TypedAnswer:
        return nullptr;  // createTypedAnswer
    }
    if (!named) {
        named = widget;
    }
    if (row.font != Font::B) {
        widget->setFont(fontOf(row.font));
    }
    named->setObjectName(said(row.name));
    named->setAccessibleName(said(row.accessibleName));
    if (!row.toolTip.empty()) {
        named->setToolTip(said(row.toolTip));
    }
    return widget;
}

std::pair<QWidget *, QWidget *> PracticeWindow::createTypedAnswer(QWidget *container)
{
    constexpr std::string_view name = practiceControl("TypedAnswer").name;
    QWidget *group = createWorkingControl(workingControl(name), container);
    // The line, where a problem takes its answer so, comes first; hidden, the
    // keyboard passes it by.
    auto *line = static_cast<QLineEdit *>(createWorkingControl(PracticeAnswerLine, group));
    line->hide();
    line->setMinimumWidth(line->fontMetrics().horizontalAdvance(said(AnswerLineRoom))
        + line->fontMetrics().averageCharWidth() * 2);
    QWidget *first = line;
    QWidget *previous = line;
    for (const WorkingControlDefinition &row : WorkingControls) {
        if (row.container != name) {
            continue;
        }
        QWidget *widget = createWorkingControl(row, group);
        if (takesFocus(row.kind)) {
            setTabOrder(previous, widget);
            previous = widget;
        }
    }
    layOutGrid(groupGrid(name), group,
        [group](std::string_view control) { return group->findChild<QWidget *>(said(control)); });
    placeInCell(static_cast<QGridLayout *>(group->layout()), PracticeAnswerLineCell, line);
    return {first, previous};
}

QWidget *PracticeWindow::placed(std::string_view name) const
{
    // The working stands in the area that scrolls it.
    return name == practiceControl("Working").name ? m_workingArea : part(name);
}

void PracticeWindow::arrange()
{
    const auto placedPart = [this](std::string_view name) { return placed(name); };
    for (const Grid &grid : PracticeGrids) {
        QWidget *container = part(grid.container);
        layOutGrid(grid, container, placedPart);
        // A page adds no margin of its own to the window's.
        if (practiceControl(grid.container).kind == PracticeKind::Part) {
            container->layout()->setContentsMargins(0, 0, 0, 0);
        }
    }
    layOutGrid(PracticeWindowGrid, this, placedPart);
}

void PracticeWindow::connectParts()
{
    auto *unit = part<QComboBox>("Unit");
    // In the units' order, so that an item's index is its unit's.
    for (const practice::UnitInfo &info : practice::units()) {
        unit->addItem(said(info.title));
    }
    const std::optional<practice::Unit> kept
        = practice::unitNamed(settings().value(UnitKey).toString().toStdString());
    unit->setCurrentIndex(static_cast<int>(kept.value_or(practice::Unit::Like4)));
    connect(unit, &QComboBox::currentIndexChanged, this, [this](int index) {
        settings().setValue(UnitKey, said(practice::units()[index].id));
        showRecord();
    });
    auto *level = part<QComboBox>("Level");
    for (const std::string_view caption : LevelCaptions) {
        level->addItem(said(caption));
    }
    level->setCurrentIndex(std::clamp(settings().value(LevelKey, practice::DefaultLevel).toInt(),
                               practice::LowestLevel, practice::HighestLevel)
        - practice::LowestLevel);
    connect(level, &QComboBox::currentIndexChanged, this,
        [](int index) { settings().setValue(LevelKey, index + practice::LowestLevel); });
    auto *count = part<QSpinBox>("Count");
    count->setRange(1, practice::MostProblems);
    count->setValue(practice::DefaultCount);
    // Asked once and kept: each window after starts with it.
    auto *number = part<QSpinBox>("PupilNumber");
    number->setValue(settings().value(NumberKey, 0).toInt());
    connect(number, &QSpinBox::valueChanged, this, [](int value) {
        if (value == 0) {
            settings().remove(NumberKey);
        } else {
            settings().setValue(NumberKey, value);
        }
    });

    const auto onClick = [this](std::string_view button, auto handler) {
        connect(part<QAbstractButton>(button), &QAbstractButton::clicked, this, handler);
    };
    onClick("Start", [this] { startChosen(); });
    onClick("StartCode", [this] { startFromCode(); });
    connect(part<QLineEdit>("CodeEntry"), &QLineEdit::returnPressed, this,
        &PracticeWindow::startFromCode);
    onClick("ClearRecord", [this] { clearRecord(); });
    onClick("ClassResults", [this] { openClassResults(); });
    onClick(workingControl("CheckAnswer").name, [this] { checkTypedAnswer(); });
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        connect(part<QLineEdit>(field.control), &QLineEdit::returnPressed, this,
            &PracticeWindow::checkTypedAnswer);
    }
    connect(part<QLineEdit>(PracticeAnswerLine.name), &QLineEdit::returnPressed, this,
        &PracticeWindow::checkTypedAnswer);
    onClick("NextProblem", [this] { goOn(); });
    onClick("Again", [this] { start(m_round->set().code); });
    onClick("ChooseAgain", [this] { showStage(PracticeStage::Choosing); });
    onClick("PrintSheet", [this] { printSheet(false); });
    onClick("SaveSheet", [this] { saveSheet(false); });
    onClick("PrintKey", [this] { printSheet(true); });
    onClick("SaveKey", [this] { saveSheet(true); });
    onClick("CopyResult", [this] { copyResultCode(); });
}

void PracticeWindow::showStage(PracticeStage stage)
{
    for (const PracticePart &page : PracticeParts) {
        part(page.part)->setVisible(shownIn(page, stage));
    }
    if (stage == PracticeStage::Choosing) {
        showRecord();
        part("Unit")->setFocus();
    }
    // The end keeps the round's width, which its set's title fits.
    fitWindow(stage == PracticeStage::Finished);
}

void PracticeWindow::fitWindow(bool keepWidth)
{
    // A layout around a group learns that the group's size changed only when
    // the group has handled a posted event; every part forgets its measured
    // size now, so that a text that wraps onto more lines is given its room.
    const auto parts = findChildren<QWidget *>();
    for (QWidget *widget : parts) {
        widget->updateGeometry();
    }
    const int wide = width();
    adjustSize();  // which also gives the window the least size of what it now shows
    if (keepWidth && wide > width()) {
        resize(
            wide, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(wide) : height());
    }
    if (isVisible()) {
        keepOnScreen(this);
    }
}

void PracticeWindow::startChosen()
{
    start(practice::newSetCode(practice::units()[part<QComboBox>("Unit")->currentIndex()].unit,
        practice::LowestLevel + part<QComboBox>("Level")->currentIndex(),
        part<QSpinBox>("Count")->value(), QRandomGenerator::global()->generate64()));
}

void PracticeWindow::startFromCode()
{
    const Parsed<practice::SetCode> code
        = practice::readSetCode(part<QLineEdit>("CodeEntry")->text().toStdString());
    auto *message = part<QLabel>("CodeMessage");
    // Shown only while there is something wrong to tell, as the page's.
    message->setVisible(!code.value);
    if (!code.value) {
        message->setText(said(code.error));
        message->setAccessibleDescription(message->text());
        part<QLineEdit>("CodeEntry")->setAccessibleDescription(message->text());
        fitWindow(true);
        return;
    }
    message->clear();
    part<QLineEdit>("CodeEntry")->setAccessibleDescription({});
    start(*code.value);
}

void PracticeWindow::start(const practice::SetCode &code)
{
    m_round.emplace(practice::practiceSet(code), chosenMethod());
    m_recordFailureTold = false;
    // Chosen as if by hand, so that the record shown next is the unit's.
    part<QComboBox>("Unit")->setCurrentIndex(static_cast<int>(code.unit));
    part<QComboBox>("Level")->setCurrentIndex(code.level - practice::LowestLevel);
    part<QLabel>("SetTitle")->setText(said(practice::setTitle(code)));
    auto *codeText = part<QLineEdit>("SetCode");
    codeText->setText(fromUtf8(practice::setCodeText(code)));
    codeText->setMinimumWidth(
        codeText->fontMetrics().horizontalAdvance(codeText->text() + QStringLiteral("00")));
    part<QLabel>(workingControl("Verdict").name)->clear();
    showStage(PracticeStage::Answering);
    showProblem();
    m_time.start();
}

void PracticeWindow::showProblem()
{
    m_shown = m_round->position();
    const practice::Prompt prompt = m_round->prompt(m_shown);
    part<QLabel>("ProblemNumber")->setText(said(prompt.number));
    part<QLabel>("Progress")->setText(said(prompt.progress));
    m_problem->setProblem(m_round->current().problem.expression, said(prompt.problem));
    part<QLabel>("FormWanted")->setText(said(m_round->asked(m_shown)));
    // The fields, or the line where they cannot hold the answer.
    const std::string_view lineHint = practice::answerLineHint(m_round->current().problem);
    auto *line = part<QLineEdit>(PracticeAnswerLine.name);
    line->setPlaceholderText(said(lineHint));
    line->setVisible(!lineHint.empty());
    for (const std::string_view name : FieldsBesideAnswerLine) {
        part(name)->setVisible(lineHint.empty());
    }
    line->clear();
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        part<QLineEdit>(field.control)->clear();
    }
    answering(true);
    part<QAbstractButton>(workingControl("AnswerNegative").name)->setChecked(false);
    m_workingArea->hide();
    part("NextProblem")->hide();
    firstAnswerField()->setFocus();
    // As wide as the widest problem so far, as high as this one needs.
    fitWindow(true);
}

QLineEdit *PracticeWindow::firstAnswerField() const
{
    auto *line = part<QLineEdit>(PracticeAnswerLine.name);
    return line->isVisibleTo(this) ? line : part<QLineEdit>(AnswerFieldControls.front().control);
}

void PracticeWindow::answering(bool open)
{
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        part(field.control)->setEnabled(open);
    }
    for (const std::string_view name : {"AnswerNegative", "CheckAnswer"}) {
        part(workingControl(name).name)->setEnabled(open);
    }
    part(PracticeAnswerLine.name)->setEnabled(open);
}

void PracticeWindow::checkTypedAnswer()
{
    if (!m_round || m_round->finished()) {
        return;
    }
    const std::size_t position = m_round->position();
    const auto *line = part<QLineEdit>(PracticeAnswerLine.name);
    const std::string typedLine = line->text().toStdString();
    const Round::Answered answered = line->isVisibleTo(this)
        ? m_round->answer(std::string_view(typedLine))
        : m_round->answer(typedAnswerIn(*this));
    // What comes next stands on a line of its own below the verdict.
    QString verdict = said(answered.verdict);
    if (!answered.then.empty()) {
        verdict += QLatin1Char('\n') + said(answered.then);
    }
    QString told = verdict;
    if (m_round->answered() > position) {
        noteResult(position);
    }
    if (m_round->finished()) {
        m_taken = m_time.elapsed();
    }
    switch (answered.outcome) {
    case Round::Outcome::Right:
        if (m_round->finished()) {
            finish();
            told += QLatin1Char(' ') + part<QLabel>("Score")->text();
        } else {
            showProblem();
            told += QLatin1Char(' ') + said(m_round->nextText());
        }
        break;
    case Round::Outcome::Missed: {
        // The working of the problem missed, until the pupil goes on.
        answering(false);
        m_working->setWorking(answered.working);
        fitScrollArea(m_workingArea, m_working->sizeHint());
        m_workingArea->show();
        const PracticeControlDefinition &row = practiceControl("NextProblem");
        auto *next = part<QPushButton>(row.name);
        next->setText(said(m_round->finished() ? row.lastCaption : row.caption));
        next->setAccessibleName(next->text());
        next->show();
        next->setFocus();
        fitWindow(true);
        break;
    }
    case Round::Outcome::TryAgain: {
        // Typed again from the denominator (or the line), each field's text
        // selected as Tab selects it, so that typing replaces it.
        QLineEdit *first = firstAnswerField();
        first->setFocus();
        first->selectAll();
        break;
    }
    case Round::Outcome::NotRead:
        break;
    }
    showVerdict(part<QLabel>(workingControl("Verdict").name), categoryOf(answered.check.verdict),
        verdict, told);
    fitWindow(true);  // room for the verdict's lines
}

void PracticeWindow::goOn()
{
    if (m_round->finished()) {
        finish();
        part("Again")->setAccessibleDescription(part<QLabel>("Score")->text());
    } else {
        showProblem();
    }
}

void PracticeWindow::finish()
{
    part<QLabel>("Score")->setText(said(m_round->score()));
    part<QLabel>("Time")->setText(said(practice::timeTakenText(m_taken)));
    showResultCode();
    const std::vector<std::size_t> missed = m_round->missed();
    part<QLabel>("MissedHeading")->setText(said(m_round->missedHeading()));

    // Each problem missed, its number beside its working.
    QWidget *list = m_missedArea->widget();
    delete list->layout();
    qDeleteAll(list->findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    auto *layout = new QGridLayout(list);
    for (std::size_t i = 0; i < missed.size(); ++i) {
        const int row = static_cast<int>(i);
        auto *number = new QLabel(said(m_round->prompt(missed[i]).number), list);
        number->setFont(fontOf(Font::C));
        layout->addWidget(number, row, 0, Qt::AlignTop);
        auto *working = new WorkingView(list);
        working->setObjectName(QStringLiteral("MissedWorking"));
        working->setWorking(m_round->workingOf(missed[i]));
        working->setRevealed(true);
        working->setAccessibleName(
            said(practice::MissedHeading) + QLatin1Char(' ') + number->text());
        layout->addWidget(working, row, 1);
    }
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(static_cast<int>(missed.size()), 1);
    m_missedArea->setVisible(!missed.empty());
    fitScrollArea(m_missedArea, list->sizeHint());
    showStage(PracticeStage::Finished);
    part("Again")->setFocus();
}

void PracticeWindow::showResultCode()
{
    const std::string code = m_round->resultCode(part<QSpinBox>("PupilNumber")->value(), m_taken);
    auto *field = part<QLineEdit>("ResultCode");
    field->setText(fromUtf8(code));
    field->setCursorPosition(0);
    field->setMinimumWidth(
        field->fontMetrics().horizontalAdvance(field->text() + QStringLiteral("00")));
    auto *qr = part<QLabel>("ResultQr");
    qr->setPixmap(qrPixmap(code, 3, devicePixelRatioF()));
    qr->setAccessibleDescription(field->text());
    part<QLabel>("Copied")->clear();
    part("Copied")->hide();
}

void PracticeWindow::copyResultCode()
{
    auto *field = part<QLineEdit>("ResultCode");
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(field->text());
    // A clipboard the system did not take is said, and the code is left
    // selected for the pupil to copy by hand.
    const bool copied = clipboard->text() == field->text();
    if (!copied) {
        field->setFocus();
        field->selectAll();
    }
    auto *told = part<QLabel>("Copied");
    told->setText(said(copied ? PracticeText.copied : PracticeText.copyFailed));
    told->show();
    fitWindow(true);
}

void PracticeWindow::noteResult(std::size_t problem)
{
    const practice::PracticeSet &set = m_round->set();
    bool unread = false;
    const std::string error = RecordFile().change([&](practice::Record &record) {
        unread = !record.unread().empty();
        record.note(set.code.unit, set.problems.at(problem).tags, m_round->results().at(problem));
    });
    // Told once the answer's handler has shown what comes next.
    if (!error.empty() && !m_recordFailureTold) {
        m_recordFailureTold = true;
        QTimer::singleShot(0, this, [this, error] { tellRecordFailure(error); });
    }
    if (error.empty() && unread && !m_unreadTold) {
        m_unreadTold = true;
        QTimer::singleShot(0, this, [this] {
            QMessageBox::information(this, windowTitle(), said(practice::RecordUnreadKept));
        });
    }
}

void PracticeWindow::tellRecordFailure(const std::string &error)
{
    QMessageBox::warning(this, windowTitle(),
        said(practice::RecordNotSaved) + QLatin1Char('\n') + said(inJapanese(error)));
}

void PracticeWindow::showRecord()
{
    const practice::UnitInfo &unit = practice::units()[part<QComboBox>("Unit")->currentIndex()];
    const std::vector<practice::Record::Row> rows = RecordFile().read().record.table(unit.unit);
    auto *table = part<QTableWidget>("RecordTables");
    table->setAccessibleName(said(PracticeText.recordOf).arg(said(unit.title)));
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        auto *tag = new QTableWidgetItem(captionOf(rows[i].tag));
        tag->setToolTip(said(practice::tagName(rows[i].tag)));
        table->setItem(row, 0, tag);
        auto *marks = new QTableWidgetItem(marksOf(rows[i].streak));
        marks->setData(Qt::AccessibleTextRole,
            rows[i].streak >= practice::Record::InARow
                ? marks->text()
                : said(PracticeText.streakSpoken).arg(rows[i].streak));
        table->setItem(row, 1, marks);
    }
    table->resizeColumnToContents(0);
    // Every row in sight: a unit names four tags at most.
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row) {
        height += table->rowHeight(row);
    }
    table->setFixedHeight(height);
}

void PracticeWindow::clearRecord()
{
    QMessageBox box(QMessageBox::Question, windowTitle(), said(PracticeText.clearQuestion),
        QMessageBox::NoButton, this);
    const QPushButton *clear
        = box.addButton(said(PracticeText.clearYes), QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(said(PracticeText.clearNo), QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() == clear) {
        const std::string error
            = RecordFile().change([](practice::Record &record) { record.clear(); });
        if (!error.empty()) {
            tellRecordFailure(error);
        }
        showRecord();
    }
}

// The class's results: one window, opened again where it was left.
void PracticeWindow::openClassResults()
{
    if (!m_results) {
        m_results = new ResultsWindow(this);
    }
    m_results->show();
    m_results->raise();
    m_results->activateWindow();
}

// The sheet to hand out, or its key with each problem's working after it,
// for the teacher or a pupil checking alone.
WorksheetOptions PracticeWindow::sheetOptions(bool key) const
{
    WorksheetOptions options;
    options.key = key;
    options.working = key;
    if (m_round) {
        options.method = practice::workingMethod(m_round->set().code.unit, chosenMethod());
    }
    return options;
}

void PracticeWindow::printSheet(bool key)
{
    if (!m_round) {
        return;
    }
    const practice::PracticeSet &set = m_round->set();
    const WorksheetOptions options = sheetOptions(key);
    const DrawOnPaper draw = [&set, &options](QPagedPaintDevice &printer) {
        return drawWorksheet(printer, set, options) > 0;
    };
    QString error;
    const PrintOutcome outcome
        = printOnPaper(this, fromUtf8(practice::setCodeText(set.code)), draw, error);
    if (outcome == PrintOutcome::Failed) {
        QString message = said(PracticeText.printFailed);
        if (!error.isEmpty()) {
            message += QLatin1Char('\n') + said(PracticeText.printModuleMissing).arg(error);
        }
        QMessageBox::warning(this, windowTitle(), message);
    }
}

void PracticeWindow::saveSheet(bool key)
{
    if (!m_round) {
        return;
    }
    // Named after the set, with no colon, which some file systems refuse.
    const QString name
        = fromUtf8(practice::setCodeText(m_round->set().code)).replace(QLatin1Char(':'), u'-')
        + (key ? said(PracticeText.keyFileSuffix) : QString()) + QStringLiteral(".pdf");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this,
        said(key ? PracticeText.saveKeyTitle : PracticeText.saveTitle), QDir(folder).filePath(name),
        said(PracticeText.pdfFiles));
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (saveWorksheetPdf(
            QFile::encodeName(path).toStdString(), m_round->set(), sheetOptions(key), error)
        == 0) {
        QMessageBox::warning(this, windowTitle(),
            said(PracticeText.saveFailed) + QLatin1Char('\n')
                + said(inJapanese(error.toStdString())));
    }
}

}  // namespace tobarin
