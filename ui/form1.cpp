#include "ui/form1.h"

#include "engine/calculate.h"
#include "engine/runtime_error.h"
#include "ui/controls.h"
#include "ui/form_definition.h"
#include "ui/handlers.h"
#include "ui/version.h"
#include "ui/widget_properties.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QAction>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace tobarin {

namespace {

using ui::ControlDefinition;
using ui::FontKey;
using ui::Kind;

QString objectNameOf(std::string_view name, int index)
{
    QString objectName = fromUtf8(name);
    if (index >= 0) {
        objectName += QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
    }
    return objectName;
}

// The window asks for its faces by name; where they are missing, the IPA
// proportional faces of the same kind stand in.
const QStringList GothicStandIns {
    QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"), QStringLiteral("IPAGothic")};
const QStringList MinchoStandIns {
    QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝"), QStringLiteral("IPAMincho")};

void installFontSubstitutes()
{
    QFont::insertSubstitutions(fromUtf8(ui::MsPGothic), GothicStandIns);
    QFont::insertSubstitutions(fromUtf8(ui::MsPMincho), MinchoStandIns);
}

// When both faces (or their stand-ins) are there, they hold every character
// the window shows, and Qt need not look for fallback faces for each script:
// that search is a large part of the time to the first frame.
bool japaneseFacesInstalled()
{
    const QStringList installed = QFontDatabase::families();
    const auto any = [&installed](const QString &face, const QStringList &standIns) {
        return installed.contains(face)
            || std::any_of(standIns.begin(), standIns.end(),
                [&installed](const QString &standIn) { return installed.contains(standIn); });
    };
    return any(fromUtf8(ui::MsPGothic), GothicStandIns)
        && any(fromUtf8(ui::MsPMincho), MinchoStandIns);
}

QFont fontOf(FontKey key)
{
    const auto &definition = *std::find_if(ui::Fonts.begin(), ui::Fonts.end(),
        [key](const ui::FontDefinition &f) { return f.key == key; });
    QFont font(fromUtf8(definition.face));
    font.setPointSizeF(definition.points);
    font.setWeight(static_cast<QFont::Weight>(definition.weight));
    static const bool selfSufficient = japaneseFacesInstalled();
    if (selfSufficient) {
        font.setStyleStrategy(QFont::NoFontMerging);
    }
    return font;
}

Qt::Alignment alignmentOf(ui::Align align)
{
    switch (align) {
    case ui::Align::Center:
        return Qt::AlignHCenter;
    case ui::Align::Right:
        return Qt::AlignRight;
    case ui::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

QWidget *createWidget(const ControlDefinition &row, const QFont &font, QWidget *container)
{
    const QString caption = fromUtf8(row.caption);
    switch (row.kind) {
    case Kind::Frame:
        return new ui::FrameControl(caption, container);
    case Kind::OptionButton: {
        auto *option = new ui::OptionButton(caption, container);
        option->setChecked(row.selected);
        return option;
    }
    case Kind::CheckBox:
        return new ui::CheckBoxControl(caption, container);
    case Kind::Label: {
        // Only the answer's labels shrink a long text to fit; the others clip it.
        const auto overflow = row.name == "Label1" ? ui::FittingLabel::Overflow::Shrink
                                                   : ui::FittingLabel::Overflow::Clip;
        auto *label = new ui::FittingLabel(font, fromUtf8(row.accessibleName), overflow, container);
        label->setAlignment(alignmentOf(row.align) | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        if (row.name == "Label7") {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor::fromRgb(ui::HintColour));
            label->setPalette(palette);
        }
        return label;
    }
    case Kind::TextBox: {
        auto *field = new ui::EntryField(font, row.maxLength, container);
        field->setAlignment(alignmentOf(row.align) | Qt::AlignVCenter);
        return field;
    }
    case Kind::Line:
        return new ui::LineControl(container);
    case Kind::CommandButton: {
        auto *button = new QPushButton(caption, container);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    }
    return nullptr;
}

bool takesFocus(Kind kind)
{
    return kind == Kind::OptionButton || kind == Kind::CheckBox || kind == Kind::TextBox
        || kind == Kind::CommandButton;
}

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
    setFont(fontOf(FontKey::W));
    setWindowTitle(QStringLiteral("Tobarin"));
    setWindowIcon(QIcon(QStringLiteral(":/tobarin/tobarin-32.xpm")));

    buildMenu();
    buildControls();
    bindEvents();

    // A fixed window: the client area below the menu bar has the size of its
    // contents. It opens in the middle of the screen.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen *s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    control("Option1", 0)->setFocus();
}

Form1::~Form1() = default;

QWidget *Form1::control(std::string_view name, int index) const
{
    return findChild<QWidget *>(objectNameOf(name, index));
}

int Form1::pixels(int twips) const
{
    return static_cast<int>(std::lround(twips * m_dotsPerInch / 1440.0));
}

void Form1::buildMenu()
{
    // Two commands right on the menu bar, each acting at once: no drop-down.
    m_fileExit = menuBar()->addAction(QStringLiteral("終了"));
    m_fileExit->setObjectName(QStringLiteral("FileExit"));
    m_fileBer = menuBar()->addAction(QStringLiteral("バージョン情報"));
    m_fileBer->setObjectName(QStringLiteral("FileBer"));
}

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(pixels(ui::ClientWidth), pixels(ui::ClientHeight));
    setCentralWidget(client);

    QHash<QString, QWidget *> containers {{QString(), client}};
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const ControlDefinition &row : ui::Controls) {
        QWidget *container = containers.value(fromUtf8(row.container));
        const QFont font = fontOf(row.font);
        QWidget *widget = createWidget(row, font, container);
        widget->setObjectName(objectNameOf(row.name, row.index));
        widget->setFont(font);
        if (row.kind == Kind::Line) {
            const int x1 = pixels(row.left);
            const int x2 = pixels(row.width);
            widget->setGeometry(x1, pixels(row.top), std::max(1, x2 - x1), 1);
        } else {
            widget->setGeometry(
                pixels(row.left), pixels(row.top), pixels(row.width), pixels(row.height));
        }
        if (auto *label = dynamic_cast<ui::FittingLabel *>(widget)) {
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
        if (row.kind == Kind::Label || row.kind == Kind::Line) {
            widget->lower();
        }
    }

    for (const std::string_view name : ui::StackFromBottom) {
        findChild<QWidget *>(fromUtf8(name))->raise();
    }

    std::sort(tabStops.begin(), tabStops.end());
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    }
}

namespace {

enum class Event { Click, GotFocus, LostFocus };

// Which handler each control's events run. Handlers of a control array take
// the element's index.
struct Binding {
    std::string_view name;
    Event event;
    void (Form1::*handler)();
    void (Form1::*indexedHandler)(std::int16_t);
};

constexpr Binding Bindings[] {
    {"Command1", Event::Click, &Form1::Command1_Click, nullptr},
    {"Command2", Event::Click, &Form1::Command2_Click, nullptr},
    {"Command3", Event::Click, &Form1::Command3_Click, nullptr},
    {"Check1", Event::Click, nullptr, &Form1::Check1_Click},
    {"Option1", Event::Click, nullptr, &Form1::Option1_Click},
    {"Option2", Event::Click, nullptr, &Form1::Option2_Click},
    {"Text1", Event::GotFocus, nullptr, &Form1::Text1_GotFocus},
    {"Text2", Event::GotFocus, nullptr, &Form1::Text2_GotFocus},
    {"Text1", Event::LostFocus, nullptr, &Form1::Text1_LostFocus},
    {"Text2", Event::LostFocus, nullptr, &Form1::Text2_LostFocus},
};

}  // namespace

void Form1::bindEvents()
{
    for (const ControlDefinition &row : ui::Controls) {
        for (const Binding &binding : Bindings) {
            if (binding.name != row.name) {
                continue;
            }
            QWidget *widget = control(row.name, row.index);
            const auto index = static_cast<std::int16_t>(row.index);
            const auto handle = [this, binding, index] {
                if (binding.indexedHandler) {
                    (this->*binding.indexedHandler)(index);
                } else {
                    (this->*binding.handler)();
                }
            };
            switch (binding.event) {
            case Event::Click:
                // clicked, not toggled: selecting the selected option button runs it again.
                connect(qobject_cast<QAbstractButton *>(widget), &QAbstractButton::clicked, this,
                    handle);
                break;
            case Event::GotFocus:
                connect(qobject_cast<ui::EntryField *>(widget), &ui::EntryField::gotFocus, this,
                    handle);
                break;
            case Event::LostFocus:
                connect(qobject_cast<ui::EntryField *>(widget), &ui::EntryField::lostFocus, this,
                    handle);
                break;
            }
        }
    }
    connect(m_fileExit, &QAction::triggered, this, &Form1::FileExit_Click);
    connect(m_fileBer, &QAction::triggered, this, &Form1::FileBer_Click);
}

template <typename Handler> void Form1::run(Handler &&handler, Report when)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        if (when == Report::AtOnce) {
            reportRuntimeError(error.number());
        } else {
            QTimer::singleShot(
                0, this, [this, number = error.number()] { reportRuntimeError(number); });
        }
    }
}

void Form1::reportRuntimeError(int number)
{
    const RuntimeError error(number);
    const std::string text
        = "実行時エラー " + std::to_string(number) + "\r" + std::string(error.description());
    m_properties->msgBox(text, MsgBoxCritical, "Tobarin");
}

void Form1::Command1_Click()
{
    run([this] { tobarin::Command1_Click(*m_properties); });
}

void Form1::Option2_Click(std::int16_t index)
{
    run([this, index] { tobarin::Option2_Click(*m_properties, index); });
}

void Form1::Command2_Click()
{
    run([this] { tobarin::Command2_Click(*m_properties); });
}

void Form1::Check1_Click(std::int16_t index)
{
    run([this, index] { tobarin::Check1_Click(*m_properties, index); });
}

void Form1::Option1_Click(std::int16_t index)
{
    run([this, index] { tobarin::Option1_Click(*m_properties, index); });
}

void Form1::Text1_GotFocus(std::int16_t index)
{
    run([this, index] { Text_GotFocus(*m_properties, index); }, Report::AfterFocusMove);
}

void Form1::Text2_GotFocus(std::int16_t index)
{
    run([this, index] { Text_GotFocus(*m_properties, index); }, Report::AfterFocusMove);
}

void Form1::Text1_LostFocus(std::int16_t index)
{
    run([this, index] { Text_LostFocus(*m_properties, "Text1", index); }, Report::AfterFocusMove);
}

void Form1::Text2_LostFocus(std::int16_t index)
{
    run([this, index] { Text_LostFocus(*m_properties, "Text2", index); }, Report::AfterFocusMove);
}

void Form1::FileBer_Click()
{
    run([this] {
        tobarin::FileBer_Click(*m_properties, version::Major, version::Minor, version::Revision);
    });
}

void Form1::Command3_Click()
{
    close();
}

void Form1::FileExit_Click()
{
    close();
}

}  // namespace tobarin
