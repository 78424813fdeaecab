#include "web/page_properties.h"

#include <algorithm>
#include <cstddef>
#include <utility>

// The page's side of each property, imported from the script that
// instantiates the module. Texts go both ways as UTF-8 in the module's memory:
// a text read from the page is written into a buffer the engine hands over,
// and its length in bytes is returned, larger than the buffer when it did not
// fit (the call is then made again with a buffer large enough).
#define TOBARIN_PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))
extern "C" {
TOBARIN_PAGE_IMPORT(text) std::size_t pageText(int row, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(setText) void pageSetText(int row, const char *text, std::size_t length);
TOBARIN_PAGE_IMPORT(caption) std::size_t pageCaption(int row, char *buffer, std::size_t capacity);
TOBARIN_PAGE_IMPORT(setCaption) void pageSetCaption(int row, const char *text, std::size_t length);
TOBARIN_PAGE_IMPORT(value) int pageValue(int row);
TOBARIN_PAGE_IMPORT(visible) int pageVisible(int row);
TOBARIN_PAGE_IMPORT(setVisible) void pageSetVisible(int row, int visible);
TOBARIN_PAGE_IMPORT(msgBox)
void pageMsgBox(const char *text, std::size_t textLength, int style, const char *title,
    std::size_t titleLength);
TOBARIN_PAGE_IMPORT(unload) void pageUnload();
}
#undef TOBARIN_PAGE_IMPORT

namespace tobarin::web {

namespace {

std::string readText(std::size_t (*read)(int, char *, std::size_t), int row)
{
    std::string text(32, '\0');  // the entry fields hold a few characters
    std::size_t length = read(row, text.data(), text.size());
    if (length > text.size()) {
        text.resize(length);
        length = read(row, text.data(), text.size());
    }
    text.resize(std::min(length, text.size()));
    return text;
}

}  // namespace

int rowOf(ControlId control) noexcept
{
    if (const ControlDefinition *row = definitionOf(control)) {
        return static_cast<int>(row - Controls.data());
    }
    const auto *command = std::find_if(MenuCommands.begin(), MenuCommands.end(),
        [control](const MenuCommandDefinition &c) { return c.name == control.name(); });
    return static_cast<int>(Controls.size()) + static_cast<int>(command - MenuCommands.begin());
}

std::optional<ControlId> controlAt(int row) noexcept
{
    if (row < 0 || row >= RowCount) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(row);
    if (index < Controls.size()) {
        return idOf(Controls[index]);
    }
    return idOf(MenuCommands[index - Controls.size()]);
}

std::string PageProperties::text(ControlId control) const
{
    return readText(pageText, rowOf(control));
}

void PageProperties::setText(ControlId control, std::string_view text)
{
    pageSetText(rowOf(control), text.data(), text.size());
}

std::string PageProperties::caption(ControlId control) const
{
    return readText(pageCaption, rowOf(control));
}

void PageProperties::setCaption(ControlId control, std::string_view caption)
{
    pageSetCaption(rowOf(control), caption.data(), caption.size());
    if (const ControlDefinition *row = definitionOf(control); row && row->answerPart) {
        m_answerChanged = true;
    }
}

int PageProperties::value(ControlId control) const
{
    return pageValue(rowOf(control));
}

bool PageProperties::visible(ControlId control) const
{
    return pageVisible(rowOf(control)) != 0;
}

void PageProperties::setVisible(ControlId control, bool visible)
{
    pageSetVisible(rowOf(control), visible ? 1 : 0);
}

void PageProperties::msgBox(std::string_view text, int style, std::string_view title)
{
    pageMsgBox(text.data(), text.size(), style, title.data(), title.size());
}

void PageProperties::unload()
{
    pageUnload();
}

bool PageProperties::takeAnswerChanged() noexcept
{
    return std::exchange(m_answerChanged, false);
}

}  // namespace tobarin::web
