#include "ui/paper/worksheet.h"

#include "engine/practice/sheet.h"
#include "engine/practice/units.h"
#include "engine/solve.h"
#include "engine/working/rewrite.h"
#include "ui/shared/fonts.h"
#include "ui/shared/typesetter.h"
#include "ui/shared/widget_properties.h"
#include "ui/system/kept_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <qrcodegen.hpp>

#include "form/definition.h"

namespace tobarin {

namespace {

// Lengths are worked out in points (1/72 inch) on the paper and turned into
// the device's units only where they are drawn.
constexpr qreal Millimetre = 72 / 25.4;
constexpr qreal Gutter = 10 * Millimetre;
// A page of few problems spreads them over at least this many rows, to
// give each more room to write.
constexpr int FewestRows = 5;
// The sizes of the text; the problems' is the unit's (practice::sheetLayout).
constexpr qreal WorkingPoints = 12;
constexpr qreal WorkingNotePoints = 8.5;
constexpr qreal TitlePoints = 15;
constexpr qreal FieldPoints = 12;
constexpr qreal InstructionPoints = 11;
constexpr qreal CaptionPoints = 7;  // under the QR code, and of 見直し
constexpr qreal FootPoints = 9;
constexpr int QrQuietModules = 4;
// The header's line of the date, class and name, and the score's box on it.
constexpr qreal HeaderGap = 2.5 * Millimetre;
constexpr qreal ScoreBoxHeight = 10 * Millimetre;
constexpr qreal ScoreBoxWidth = 40 * Millimetre;
constexpr qreal FieldGap = 6 * Millimetre;
// The least room after "=" for the answer, and the 見直し box's side.
constexpr qreal AnswerRoom = 25 * Millimetre;
constexpr qreal CheckSide = 4 * Millimetre;
constexpr qreal RulePoints = 0.6;  // the lines to write on and under the header
constexpr qreal BoxPoints = 0.8;  // of the score's, answers' and 見直し boxes
constexpr std::uint32_t AnswerRed = 0xC00000;
constexpr std::uint32_t ReportRed = 0xC00000;

enum class Part { Problems, Key, Working };

// A problem of the set with what the sheet shows of it.
struct Item {
    QString label;  // "(1)"
    Expression problem;
    std::optional<WrittenNumber> answer;
    Working working;
    // Of an answer of several numbers (通分): its line, "9/12, 10/12".
    std::optional<Expression> answers = std::nullopt;
};

// A working placed on a page: which problem, in which column, how far down.
struct Placed {
    std::size_t item;
    int column;
    qreal top;
};

struct Page {
    Part part;
    std::size_t first = 0;  // of Problems and Key: the problems on the page
    std::size_t count = 0;
    std::vector<Placed> workings;  // of Working
};

std::vector<Item> itemsOf(const practice::PracticeSet &set, const WorksheetOptions &options)
{
    const AnswerForm form = practice::unitInfo(set.code.unit).answerForm;
    std::vector<Item> items;
    items.reserve(set.problems.size());
    for (const practice::PracticeProblem &problem : set.problems) {
        Solution solution = solve(problem.problem, form, options.method);
        Item item {QStringLiteral("(%1)").arg(items.size() + 1), {}, std::move(solution.answer),
            std::move(solution.working)};
        if (!solution.answers.empty()) {
            item.answers = item.working.steps.back().expression;
        }
        if (!item.working.steps.empty()) {
            item.problem = item.working.steps.front().expression;
        }
        items.push_back(std::move(item));
    }
    return items;
}

QString titleOf(const practice::SetCode &code)
{
    QString title = fromUtf8(practice::unitInfo(code.unit).title)
        + QStringLiteral("　レベル%1").arg(code.level);
    if (code.level == practice::HighestLevel) {
        title += QStringLiteral("（発展）");
    }
    return title;
}

std::optional<qrcodegen::QrCode> qrCodeOf(
    const practice::SetCode &code, const WorksheetOptions &options)
{
    if (options.urlBase.empty() || options.key) {
        return std::nullopt;
    }
    const std::string text = options.urlBase + "#practice=" + practice::setCodeText(code);
    return qrcodegen::QrCode::encodeText(text.c_str(), qrcodegen::QrCode::Ecc::MEDIUM);
}

// Lays the sheet out on a device's page and draws it.
class Sheet {
public:
    Sheet(QPagedPaintDevice &device, const practice::PracticeSet &set,
        const WorksheetOptions &options, std::optional<qrcodegen::QrCode> qrCode);

    // Draws every page; gives their number, or 0 when the device cannot be
    // painted on.
    int draw();

private:
    [[nodiscard]] qreal units(qreal points) const { return points * m_unit; }
    [[nodiscard]] QFont sized(Font face, qreal points) const;
    [[nodiscard]] qreal labelWidth(Typesetter &measure) const;
    // In points: the widest problem as the sheet draws it, with its number and
    // "=", and a 通分's answer after it.
    [[nodiscard]] qreal widestProblem() const;
    [[nodiscard]] Typesetter typesetter(
        qreal points, qreal notePoints, QPainter *painter, QRgb text = qRgb(0, 0, 0)) const;

    // The size that makes the widest and tallest working fit.
    [[nodiscard]] qreal workingScale() const;
    [[nodiscard]] QSizeF workingSize(const Item &item, qreal scale) const;
    [[nodiscard]] std::vector<Page> plan() const;

    void drawHeader(QPainter &painter, const Page &page, bool first);
    void drawFoot(QPainter &painter, int page, int pages);
    void drawQrCode(QPainter &painter);
    void drawProblems(QPainter &painter, const Page &page);
    qreal drawAnswer(Typesetter &type, qreal x, qreal axis, const WrittenNumber &answer) const;
    void drawWorking(QPainter &painter, const Item &item, QPointF topLeft);

    QPagedPaintDevice &m_device;
    const practice::PracticeSet &m_set;
    WorksheetOptions m_options;
    practice::SheetLayout m_layout;
    std::optional<qrcodegen::QrCode> m_qrCode;
    std::vector<Item> m_items;
    QString m_title;
    qreal m_unit;  // device units a point
    QRectF m_content;  // in points, on the paper
    // In points: where the problems and workings stand, between the header
    // and the foot, and how wide a column is.
    qreal m_gridTop = 0;
    qreal m_gridBottom = 0;
    qreal m_columnWidth = 0;
    qreal m_qrSide = 0;
    qreal m_workingScale = 1;  // of the workings' type, to fit the widest and tallest
};

Sheet::Sheet(QPagedPaintDevice &device, const practice::PracticeSet &set,
    const WorksheetOptions &options, std::optional<qrcodegen::QrCode> qrCode)
    : m_device(device)
    , m_set(set)
    , m_options(options)
    , m_layout(practice::sheetLayout(set.code.unit))
    , m_qrCode(std::move(qrCode))
    , m_items(itemsOf(set, options))
    , m_title(titleOf(set.code))
    , m_unit(device.logicalDpiY() / 72.0)
    , m_qrSide(m_layout.qrMillimetres * Millimetre)
{
    const QPageLayout layout = device.pageLayout();
    const QMarginsF margins = layout.marginsPoints();
    const qreal edge = std::max({m_layout.marginMillimetres * Millimetre, margins.left(),
        margins.top(), margins.right(), margins.bottom()});
    m_content
        = QRectF(QPointF(0, 0), layout.fullRectPoints().size()).adjusted(edge, edge, -edge, -edge);
    const QFontMetricsF title(sized(Font::C, TitlePoints));
    const QFontMetricsF instruction(sized(Font::C, InstructionPoints));
    const QFontMetricsF caption(sized(Font::C, CaptionPoints));
    const QFontMetricsF foot(sized(Font::C, FootPoints));
    // The title; the line of the date, class, name and score; the
    // instruction. Or the QR code and its caption, beside them. The key's
    // pages keep the same room, so that its answers stand where the pupils'
    // problems do.
    const qreal words
        = (title.height() + instruction.height()) / m_unit + 2 * HeaderGap + ScoreBoxHeight;
    const qreal qr = m_qrSide + caption.height() / m_unit;
    m_gridTop = m_content.top() + std::max(words, qr) + 5 * Millimetre;
    m_gridBottom = m_content.bottom() - foot.height() / m_unit - 3 * Millimetre;
    m_layout = practice::sheetLayout(set.code.unit, widestProblem() / Millimetre);
    m_columnWidth = (m_content.width() - Gutter) / m_layout.columns;
    m_workingScale = m_options.working ? workingScale() : 1.0;
}

QFont Sheet::sized(Font face, qreal points) const
{
    QFont font = fontOf(face);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    // Measured at the device's resolution, as it is drawn.
    return {font, &m_device};
}

Typesetter Sheet::typesetter(qreal points, qreal notePoints, QPainter *painter, QRgb text) const
{
    return {sized(Font::C, points), sized(Font::B, notePoints), painter,
        {QColor::fromRgb(text), QColor::fromRgb(HintBlue), QColor::fromRgb(ReportRed)}};
}

// The widest of the problems' numbers, and a little room after it.
qreal Sheet::labelWidth(Typesetter &measure) const
{
    qreal widest = 0;
    for (const Item &item : m_items) {
        widest = std::max(widest, measure.text(0, 0, item.label));
    }
    return widest + measure.equalsWidth();
}

qreal Sheet::widestProblem() const
{
    Typesetter measure
        = typesetter(static_cast<qreal>(m_layout.digitPoints), WorkingNotePoints, nullptr);
    measure.setTallWholes(true);
    const qreal numbers = labelWidth(measure);
    qreal widest = 0;
    for (const Item &item : m_items) {
        // A 通分's answer is as many fractions as the problem: the column
        // holds them after the "=" too, on the key as the pupil writes them.
        widest = std::max(widest,
            numbers + measure.expression(0, 0, item.problem) + measure.equalsWidth()
                + measure.text(0, 0, QStringLiteral("="))
                + (item.answers ? measure.equalsWidth() + measure.expression(0, 0, *item.answers)
                                : 0));
    }
    return widest / m_unit;
}

QSizeF Sheet::workingSize(const Item &item, qreal scale) const
{
    Typesetter measure = typesetter(WorkingPoints * scale, WorkingNotePoints * scale, nullptr);
    qreal widest = 0;
    qreal widestNote = 0;
    qreal height = 0;
    for (const Step &step : item.working.steps) {
        widest = std::max(widest, measure.expression(0, 0, step.expression));
        widestNote = std::max(widestNote, measure.note(0, 0, fromUtf8(stepNote(step))));
        height
            += measure.above(step.expression) + measure.below(step.expression) + measure.lineGap();
    }
    const qreal width = measure.text(0, 0, item.label + QStringLiteral(" ")) + measure.equalsWidth()
        + widest + measure.noteGap() + widestNote;
    return {width / m_unit, height / m_unit};
}

qreal Sheet::workingScale() const
{
    qreal scale = 1;
    // Text does not shrink quite in proportion to its size: shrunk again
    // until every working fits its column.
    for (int round = 0; round < 8; ++round) {
        qreal widest = 0;
        qreal tallest = 0;
        for (const Item &item : m_items) {
            const QSizeF size = workingSize(item, scale);
            widest = std::max(widest, size.width());
            tallest = std::max(tallest, size.height());
        }
        const qreal fit = std::min(m_columnWidth / widest, (m_gridBottom - m_gridTop) / tallest);
        if (fit >= 1) {
            break;
        }
        scale *= fit * 0.98;
    }
    return scale;
}

std::vector<Page> Sheet::plan() const
{
    std::vector<Page> pages;
    const std::size_t count = m_items.size();
    const auto onPage = static_cast<std::size_t>(m_layout.problemsAPage);
    const Part part = m_options.key ? Part::Key : Part::Problems;
    for (std::size_t first = 0; first < count; first += onPage) {
        pages.push_back({part, first, std::min(onPage, count - first), {}});
    }
    if (!m_options.key || !m_options.working) {
        return pages;
    }
    // Down the left column, then the right, then a new page: a working that
    // does not fit below the last one goes on to the next column.
    const qreal gap = 6 * Millimetre;
    int column = m_layout.columns;
    qreal top = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const qreal height = workingSize(m_items[i], m_workingScale).height();
        if (column < m_layout.columns && top + height > m_gridBottom) {
            ++column;
            top = m_gridTop;
        }
        if (column >= m_layout.columns) {
            pages.push_back({Part::Working, 0, 0, {}});
            column = 0;
            top = m_gridTop;
        }
        pages.back().workings.push_back({i, column, top});
        top += height + gap;
    }
    return pages;
}

int Sheet::draw()
{
    const std::vector<Page> pages = plan();
    QPainter painter;
    if (!painter.begin(&m_device)) {
        return 0;
    }
    // The painter starts at the corner of the printable area; the layout is
    // on the whole paper.
    const QPageLayout layout = m_device.pageLayout();
    const QRect paint = layout.paintRectPixels(m_device.logicalDpiX());
    painter.translate(-paint.topLeft());
    int number = 0;
    for (const Page &page : pages) {
        if (number > 0 && !m_device.newPage()) {
            return 0;
        }
        drawHeader(painter, page, number == 0);
        ++number;
        if (page.part == Part::Working) {
            for (const Placed &placed : page.workings) {
                const qreal left = m_content.left() + placed.column * (m_columnWidth + Gutter);
                drawWorking(painter, m_items[placed.item], QPointF(left, placed.top));
            }
        } else {
            drawProblems(painter, page);
        }
        drawFoot(painter, number, static_cast<int>(pages.size()));
    }
    return painter.end() ? number : 0;
}

// The title; on the pupils' pages the line of 「　月　日」「　年　組　番」
// 「名前」 and the score's box, then the unit's instruction; on the first of
// them the QR code at the right with its caption under it.
void Sheet::drawHeader(QPainter &painter, const Page &page, bool first)
{
    const practice::SheetWords &words = practice::sheetWords();
    const QFont titleFont = sized(Font::C, TitlePoints);
    const QFontMetricsF title(titleFont);
    QString text = m_title;
    if (page.part == Part::Key) {
        text += QStringLiteral("　") + fromUtf8(words.key);
    } else if (page.part == Part::Working) {
        text += QStringLiteral("　") + fromUtf8(words.working);
    }
    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    const qreal left = units(m_content.left());
    qreal right = units(m_content.right());
    painter.drawText(QPointF(left, units(m_content.top()) + title.ascent()), text);
    if (page.part == Part::Problems && first && m_qrCode) {
        drawQrCode(painter);
        right -= units(m_qrSide + 4 * Millimetre);
    }
    if (page.part == Part::Problems) {
        const QFont fieldFont = sized(Font::C, FieldPoints);
        const QFontMetricsF field(fieldFont);
        const qreal boxTop = units(m_content.top() + HeaderGap) + title.height();
        const qreal baseline
            = boxTop + units(ScoreBoxHeight) / 2 + (field.ascent() - field.descent()) / 2;
        painter.setFont(fieldFont);
        painter.setPen(QPen(Qt::black, units(RulePoints)));
        qreal x = left;
        for (const std::string_view caption : {words.date, words.classAndNumber}) {
            painter.drawText(QPointF(x, baseline), fromUtf8(caption));
            x += field.horizontalAdvance(fromUtf8(caption)) + units(FieldGap);
        }
        // 名前 with a line to write on, up to the score's box.
        const QRectF box(
            right - units(ScoreBoxWidth), boxTop, units(ScoreBoxWidth), units(ScoreBoxHeight));
        painter.drawText(QPointF(x, baseline), fromUtf8(words.name));
        x += field.horizontalAdvance(fromUtf8(words.name)) + units(2 * Millimetre);
        const qreal rule = baseline + field.descent();
        painter.drawLine(QLineF(x, rule, box.left() - units(FieldGap), rule));
        // 点数 inside its box at the left, the score out of the set's size at the right.
        painter.setPen(QPen(Qt::black, units(BoxPoints)));
        painter.drawRect(box);
        const qreal inside = units(1.5 * Millimetre);
        painter.drawText(QPointF(box.left() + inside, baseline), fromUtf8(words.score));
        const QString outOf = fromUtf8(words.outOf) + QString::number(m_items.size());
        painter.drawText(
            QPointF(box.right() - inside - field.horizontalAdvance(outOf), baseline), outOf);
        // The instruction, on a line of its own.
        const QFont instructionFont = sized(Font::C, InstructionPoints);
        painter.setFont(instructionFont);
        painter.drawText(
            QPointF(
                left, box.bottom() + units(HeaderGap) + QFontMetricsF(instructionFont).ascent()),
            fromUtf8(practice::sheetInstruction(m_set.code.unit)));
    }
    const qreal under = units(m_gridTop - 3 * Millimetre);
    painter.setPen(QPen(Qt::black, units(RulePoints)));
    painter.drawLine(QLineF(left, under, units(m_content.right()), under));
}

void Sheet::drawFoot(QPainter &painter, int page, int pages)
{
    const QFont font = sized(Font::C, FootPoints);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const qreal baseline = units(m_content.bottom()) - metrics.descent();
    painter.drawText(
        QPointF(units(m_content.left()), baseline), fromUtf8(practice::setCodeText(m_set.code)));
    const QString number = QStringLiteral("%1 / %2").arg(page).arg(pages);
    painter.drawText(
        QPointF(units(m_content.right()) - metrics.horizontalAdvance(number), baseline), number);
}

// At the top right, its caption under it, flush with its right.
void Sheet::drawQrCode(QPainter &painter)
{
    const QPointF topLeft(units(m_content.right() - m_qrSide), units(m_content.top()));
    const int size = m_qrCode->getSize();
    const qreal module = units(m_qrSide) / (size + 2 * QrQuietModules);
    const QPointF origin = topLeft + QPointF(module, module) * QrQuietModules;
    // Each row's runs of dark modules as rectangles, filled as one path so
    // that no seam shows between neighbours.
    QPainterPath dark;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size;) {
            if (!m_qrCode->getModule(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < size && m_qrCode->getModule(x, y)) {
                ++x;
            }
            dark.addRect(QRectF(origin.x() + start * module, origin.y() + y * module,
                (x - start) * module, module));
        }
    }
    dark.setFillRule(Qt::WindingFill);
    painter.fillPath(dark, Qt::black);
    const QFont font = sized(Font::C, CaptionPoints);
    const QFontMetricsF metrics(font);
    const QString caption = fromUtf8(practice::sheetWords().qrCaption);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(units(m_content.right()) - metrics.horizontalAdvance(caption),
                         topLeft.y() + units(m_qrSide) + metrics.ascent()),
        caption);
}

// The key's answer after its "=": in a unit that takes either form, a mixed
// number followed by its improper form in parentheses. Gives its width.
qreal Sheet::drawAnswer(Typesetter &type, qreal x, qreal axis, const WrittenNumber &answer) const
{
    const qreal start = x;
    x += type.expression(x, axis, numberExpression(answer));
    if (practice::keyShowsBothForms(m_set.code.unit, answer)) {
        x += type.equalsWidth() / 2;
        x += type.expression(
            x, axis, parenthesesExpression(numberExpression(rewrite::improperOf(answer))));
    }
    return x - start;
}

void Sheet::drawProblems(QPainter &painter, const Page &page)
{
    const auto points = static_cast<qreal>(m_layout.digitPoints);
    Typesetter type = typesetter(points, WorkingNotePoints, &painter);
    Typesetter answer = typesetter(points, WorkingNotePoints, &painter, QRgb(AnswerRed));
    type.setTallWholes(true);
    answer.setTallWholes(true);
    const int most = m_layout.problemsAPage / m_layout.columns;
    const auto columns = static_cast<std::size_t>(m_layout.columns);
    const int rows = std::clamp(
        static_cast<int>((page.count + columns - 1) / columns), std::min(FewestRows, most), most);
    const qreal rowHeight = (m_gridBottom - m_gridTop) / rows;
    Typesetter measure = typesetter(points, WorkingNotePoints, nullptr);
    measure.setTallWholes(true);
    const qreal numbers = labelWidth(measure);
    // The problems of a page stand on one line across the columns.
    qreal above = 0;
    qreal below = 0;
    for (std::size_t i = page.first; i < page.first + page.count; ++i) {
        above = std::max(above, type.above(m_items[i].problem));
        below = std::max(below, type.below(m_items[i].problem));
    }
    const qreal pad = units(1.5 * Millimetre);
    const QFont captionFont = sized(Font::C, CaptionPoints);
    const QFontMetricsF caption(captionFont);
    for (std::size_t k = 0; k < page.count; ++k) {
        const Item &item = m_items[page.first + k];
        // Down the left column first, as a printed drill numbers them.
        const int column = static_cast<int>(k) / rows;
        const int row = static_cast<int>(k) % rows;
        const qreal start = m_content.left() + column * (m_columnWidth + Gutter);
        qreal x = units(start);
        const qreal axis = units(m_gridTop + row * rowHeight) + above + pad;
        type.text(x, axis, item.label);
        x += numbers;
        x += type.expression(x, axis, item.problem);
        x += type.equalsWidth() / 2;
        x += type.text(x, axis, QStringLiteral("=")) + type.equalsWidth() / 2;
        if (m_options.boxes) {
            // The answer's box to the column's end, the 見直し box under its right end.
            const qreal end = std::max(units(start + m_columnWidth), x + units(AnswerRoom));
            const QRectF box(x, axis - above - pad, end - x, above + below + 2 * pad);
            painter.setPen(QPen(Qt::black, units(BoxPoints)));
            painter.drawRect(box);
            const QRectF check(box.right() - units(CheckSide), box.bottom() + pad, units(CheckSide),
                units(CheckSide));
            painter.drawRect(check);
            const QString words = fromUtf8(practice::sheetWords().check);
            painter.setFont(captionFont);
            painter.drawText(QPointF(check.left() - pad - caption.horizontalAdvance(words),
                                 check.center().y() + (caption.ascent() - caption.descent()) / 2),
                words);
            x += 2 * pad;
        }
        if (page.part == Part::Key && item.answers) {
            answer.expression(x, axis, *item.answers);
        }
        if (page.part == Part::Key && item.answer) {
            // Both forms of a long answer may not fit the column at the
            // problems' size: the key, which only the teacher reads, is
            // then set smaller.
            const qreal room = units(start + m_columnWidth) - x - (m_options.boxes ? pad : 0);
            const qreal width = drawAnswer(measure, x, axis, *item.answer);
            if (width <= room) {
                drawAnswer(answer, x, axis, *item.answer);
            } else {
                Typesetter smaller = typesetter(
                    points * room / width * 0.97, WorkingNotePoints, &painter, QRgb(AnswerRed));
                smaller.setTallWholes(true);
                drawAnswer(smaller, x, axis, *item.answer);
            }
        }
    }
}

void Sheet::drawWorking(QPainter &painter, const Item &item, QPointF topLeft)
{
    const qreal points = WorkingPoints * m_workingScale;
    const qreal notePoints = WorkingNotePoints * m_workingScale;
    Typesetter measure = typesetter(points, notePoints, nullptr);
    Typesetter type = typesetter(points, notePoints, &painter);
    // As the working window lays it out: the expressions in one column after
    // the "=" signs, the notes in one column after the widest expression;
    // the problem's number before its first line.
    const qreal left = units(topLeft.x());
    const qreal equals = left + measure.text(0, 0, item.label + QStringLiteral(" "));
    const qreal expressions = equals + type.equalsWidth();
    qreal widest = 0;
    for (const Step &step : item.working.steps) {
        widest = std::max(widest, measure.expression(0, 0, step.expression));
    }
    const qreal notes = expressions + widest + type.noteGap();
    qreal y = units(topLeft.y());
    bool first = true;
    for (const Step &step : item.working.steps) {
        y += type.above(step.expression);
        if (first) {
            type.text(left, y, item.label);
            first = false;
        }
        if (step.note != Note::Problem) {
            type.text(equals, y, QStringLiteral("="));
        }
        type.expression(expressions, y, step.expression);
        type.note(notes, y, fromUtf8(stepNote(step)));
        y += type.below(step.expression) + type.lineGap();
    }
    if (!item.working.report.empty()) {
        y += type.above(Expression {});
        type.report(expressions, y, fromUtf8(item.working.report));
    }
}

}  // namespace

int drawWorksheet(
    QPagedPaintDevice &device, const practice::PracticeSet &set, const WorksheetOptions &options)
{
    std::optional<qrcodegen::QrCode> qrCode;
    try {
        qrCode = qrCodeOf(set.code, options);
    } catch (const std::length_error &) {
        return 0;
    }
    installFontSubstitutes();
    return Sheet(device, set, options, std::move(qrCode)).draw();
}

int saveWorksheetPdf(const std::string &path, const practice::PracticeSet &set,
    const WorksheetOptions &options, QString &error)
{
    const auto failed = [&](const QString &cause) {
        error = QStringLiteral("cannot write '%1': %2")
                    .arg(QString::fromStdString(shownPath(path)), cause);
        return 0;
    };
    try {
        (void)qrCodeOf(set.code, options);
    } catch (const std::length_error &) {
        return failed(QStringLiteral("the address given for the QR code is too long for one"));
    }
    // Drawn into memory first and written in one piece: QPdfWriter does not
    // look at what its writes return.
    QByteArray pdf;
    int pages = 0;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(options.key
                ? titleOf(set.code) + QStringLiteral("　") + fromUtf8(practice::sheetWords().key)
                : titleOf(set.code));
        writer.setCreator(QStringLiteral("Tobarin"));
        pages = drawWorksheet(writer, set, options);
    }
    if (pages == 0) {
        return failed(QStringLiteral("the sheet could not be drawn"));
    }
    const std::string written = writeWhole(path, std::string_view(pdf.constData(), pdf.size()));
    if (!written.empty()) {
        error = QString::fromStdString(written);
        return 0;
    }
    return pages;
}

}  // namespace tobarin
