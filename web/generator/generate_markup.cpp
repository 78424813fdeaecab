// The markup of the page (index.html) and of the start-up benchmark's page of
// the same layout without the engine (static.html): the menu bar and every
// control of the window, in the order of the keyboard.

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"
#include "web/generator/generate_page.h"

namespace tobarin::web {

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

std::string objectName(const ControlDefinition &row)
{
    return idOf(row).objectName();
}

// The rows whose container is `container` ("" for the client area).
std::vector<const ControlDefinition *> childrenOf(std::string_view container)
{
    std::vector<const ControlDefinition *> children;
    for (const ControlDefinition &row : Controls) {
        if (row.container == container) {
            children.push_back(&row);
        }
    }
    return children;
}

// The smallest tab index of a control that takes the focus, in the row or
// among a frame's children; none for a row without one.
int firstTabStop(const ControlDefinition &row)
{
    constexpr int None = 1 << 20;
    int first = takesFocus(row.kind) ? row.tabIndex : None;
    if (row.kind == Kind::Frame) {
        for (const ControlDefinition *child : childrenOf(row.name)) {
            first = std::min(first, firstTabStop(*child));
        }
    }
    return first;
}

// The browser moves the focus in document order, so the elements of each
// container are written in the order of their tab stops; the stacking order
// comes from z-index, not from the order of the markup.
std::vector<const ControlDefinition *> inTabOrder(std::string_view container)
{
    std::vector<const ControlDefinition *> children = childrenOf(container);
    std::stable_sort(children.begin(), children.end(),
        [](const ControlDefinition *a, const ControlDefinition *b) {
            return firstTabStop(*a) < firstTabStop(*b);
        });
    return children;
}

// The label that names a control for assistive technology, where its caption
// does not already say it.
std::string nameAttribute(const ControlDefinition &row)
{
    if (row.accessibleName == row.caption && row.kind != Kind::Label) {
        return {};
    }
    return " aria-label=\"" + escaped(row.accessibleName) + "\"";
}

class Markup {
public:
    explicit Markup(std::ostream &out)
        : m_out(out)
    {
    }

    void controls(std::string_view container, int depth)
    {
        for (const ControlDefinition *row : inTabOrder(container)) {
            control(*row, depth);
        }
    }

    // Every window control in the order the markup holds them.
    [[nodiscard]] const std::vector<const ControlDefinition *> &written() const
    {
        return m_written;
    }

private:
    void control(const ControlDefinition &row, int depth)
    {
        m_written.push_back(&row);
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        const std::string id = " data-control=\"" + escaped(objectName(row)) + "\"";
        const std::string caption = escaped(row.caption);
        const std::string name = nameAttribute(row);
        switch (row.kind) {
        case Kind::Frame:
            m_out << indent << "<fieldset" << id << name << ">";
            if (!row.caption.empty()) {
                m_out << "<legend>" << caption << "</legend>";
            }
            m_out << "\n";
            controls(row.name, depth + 1);
            m_out << indent << "</fieldset>\n";
            return;
        case Kind::OptionButton:
        case Kind::CheckBox: {
            const bool option = row.kind == Kind::OptionButton;
            m_out << indent << "<label data-for=\"" << escaped(objectName(row))
                  << "\"><input type=\"" << (option ? "radio" : "checkbox") << "\"" << id << name;
            if (option) {
                m_out << " name=\"" << escaped(row.container) << "\"";
            }
            // Not restored by the browser on a reload or on going back: the
            // window starts as its definition says, in step with the engine.
            m_out << (row.selected ? " checked" : "") << " autocomplete=\"off\"><span>" << caption
                  << "</span></label>\n";
            return;
        }
        case Kind::Label:
            // Text only: its textContent is the caption.
            m_out << indent << "<span role=\"group\"" << id << name
                  << (row.fit == TextFit::Shrink ? " data-fit=\"shrink\"" : "") << ">" << caption
                  << "</span>\n";
            return;
        case Kind::TextBox:
            // The typing limit is kept by the script, not by maxlength alone:
            // a longer text that the program writes must stay whole, and a
            // paste that does not fit is refused whole.
            m_out << indent << "<input type=\"text\"" << id << name << " maxlength=\""
                  << row.typingLimit
                  << "\" inputmode=\"numeric\" autocomplete=\"off\" spellcheck=\"false\">\n";
            return;
        case Kind::Line:
            m_out << indent << "<hr" << id << name << ">\n";
            return;
        case Kind::CommandButton:
            m_out << indent << "<button type=\"button\"" << id << name << ">" << caption
                  << "</button>\n";
            return;
        }
    }

    std::ostream &m_out;
    std::vector<const ControlDefinition *> m_written;
};

}  // namespace

// The element that carries a control's geometry: the wrapping label of a
// check box or an option button, the control itself otherwise.
std::string selector(const ControlDefinition &row)
{
    const bool wrapped = row.kind == Kind::OptionButton || row.kind == Kind::CheckBox;
    return std::string(wrapped ? "[data-for=\"" : "[data-control=\"") + objectName(row) + "\"]";
}

// The part of the page around the window: the head, then the menu bar and the
// client area, then the message box and the notice shown after Quit.
void writePage(std::ostream &out, bool withEngine, std::string_view assets,
    std::vector<const ControlDefinition *> *written)
{
    const std::string a(assets);
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        // Nothing from another origin, and no inline script or style but the
        // page's own scripts, which the build writes into the page and lets
        // run by their hashes (inline_scripts.mjs).
        << "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; "
           "script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; object-src 'none'; "
           "base-uri 'none'; form-action 'none'\">\n";
    if (withEngine) {
        // First of all, the page's storage opened (storage-start.js, written
        // in place of this tag by the build), while the rest arrives.
        out << "<script src=\"storage-start.js\"></script>\n";
    }
    out << "<title>" << escaped(WindowTitle) << "</title>\n"
        << "<meta name=\"description\" content=\"分数の計算機: 帯分数の四則計算\">\n"
        << "<meta name=\"theme-color\" content=\"#f0f0f0\">\n";
    out << R"(<link rel="preload" href=")" << a
        << "fonts/tobarin-gothic.woff2\" as=\"font\" type=\"font/woff2\" crossorigin>\n"
        << R"(<link rel="stylesheet" href=")" << a << "page.css\">\n";
    if (withEngine) {
        // Last, so that they are asked for after what the page needs to start.
        out << "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
            << "<link rel=\"icon\" href=\"icons/tobarin.svg\" type=\"image/svg+xml\">\n"
            << "<link rel=\"apple-touch-icon\" href=\"icons/tobarin-180.png\">\n";
    } else {
        out << "<script type=\"module\" src=\"web-static-ready.js\"></script>\n";
    }
    out << "</head>\n<body>\n"
        // The window's title, which the page draws no title bar for, as the
        // page's banner: every part of the page stands in a landmark.
        << "<header><h1 class=\"window-title\">" << escaped(WindowTitle)
        << "</h1></header>\n"
        // Inert until the engine has loaded: nothing typed or clicked is lost.
        << "<main class=\"desk\" inert>\n<div class=\"stage\">\n<div class=\"window\">\n"
        << "<div class=\"menubar\" role=\"menubar\" aria-label=\"メニュー\">";
    bool first = true;
    for (const MenuCommandDefinition &command : MenuCommands) {
        // One tab stop for the menu bar; the arrow keys move along it.
        out << R"(<button type="button" role="menuitem" data-control=")"
            << escaped(idOf(command).objectName()) << "\"" << (first ? "" : " tabindex=\"-1\"")
            << ">" << escaped(command.caption) << "</button>";
        first = false;
    }
    out << "</div>\n<div class=\"client\" data-control=\"" << FormName
        << R"(" role="group" aria-label=")" << escaped(WindowTitle) << "\">\n";
    Markup markup(out);
    markup.controls("", 1);
    if (written) {
        *written = markup.written();
    }
    out << "</div>\n</div>\n</div>\n";
    writeWorkingWindow(out);
    out << "</main>\n";
    writeSheetPlace(out);
    if (withEngine) {
        out << "<div class=\"ended\" id=\"ended\" hidden><p>終了しました</p>"
               "<p><a href=\"./\">もう一度始める</a></p></div>\n"
            << "<p class=\"announce\" id=\"announce\" role=\"status\" aria-label=\"答え\"></p>\n"
            << "<dialog data-control=\"MsgBox\" aria-labelledby=\"msgbox-title\" "
               "aria-describedby=\"msgbox-text\">\n"
            << "<p class=\"msgbox-title\" data-part=\"title\" id=\"msgbox-title\"></p>\n"
            << "<div class=\"msgbox-body\"><span class=\"msgbox-icon\" aria-hidden=\"true\"></span>"
               "<p class=\"msgbox-text\" data-part=\"text\" id=\"msgbox-text\"></p></div>\n"
            << "<div class=\"msgbox-buttons\"><button type=\"button\" data-part=\"ok\">OK</button>"
               "</div>\n</dialog>\n"
            // The engine and the page's modules (joined into one), written
            // here by the build, the engine's bytes in base64: the page comes
            // in one request and starts as soon as it is parsed, with nothing
            // to wait for. At the end, so that all before them is read first.
            << "<script type=\"application/octet-stream\" id=\"engine\" "
               "data-base64=\"tobarin.wasm\"></script>\n"
            << "<script type=\"module\" src=\"page.js\"></script>\n";
    }
    out << "</body>\n</html>\n";
}

// The tab stops the markup gives, in document order, must be the window's
// tab order; only a layout whose frames hold consecutive stops allows that.
bool tabOrderHolds(const std::vector<const ControlDefinition *> &written)
{
    int previous = -1;
    for (const ControlDefinition *row : written) {
        if (takesFocus(row->kind)) {
            if (row->tabIndex <= previous) {
                return false;
            }
            previous = row->tabIndex;
        }
    }
    return true;
}

}  // namespace tobarin::web
