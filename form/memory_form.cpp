#include "form/memory_form.h"

#include "form/definition.h"

namespace tobarin {

MemoryForm::MemoryForm()
{
    for (const ControlDefinition &row : Controls) {
        const ControlId id = idOf(row);
        switch (row.kind) {
        case Kind::Label:
            m_texts[id] = row.caption;
            break;
        case Kind::OptionButton:
        case Kind::CheckBox:
            m_values[id] = row.selected ? 1 : 0;
            break;
        case Kind::Line:
            m_visible[id] = true;
            break;
        default:
            break;
        }
    }
}

std::string MemoryForm::text(ControlId control) const
{
    const auto it = m_texts.find(control);
    return it == m_texts.end() ? std::string() : it->second;
}

void MemoryForm::setText(ControlId control, std::string_view text)
{
    m_texts[control] = text;
}

std::string MemoryForm::caption(ControlId control) const
{
    return text(control);
}

void MemoryForm::setCaption(ControlId control, std::string_view caption)
{
    m_texts[control] = caption;
}

int MemoryForm::value(ControlId control) const
{
    const auto it = m_values.find(control);
    return it == m_values.end() ? 0 : it->second;
}

bool MemoryForm::visible(ControlId control) const
{
    const auto it = m_visible.find(control);
    return it == m_visible.end() || it->second;
}

void MemoryForm::setVisible(ControlId control, bool visible)
{
    m_visible[control] = visible;
}

void MemoryForm::msgBox(std::string_view text, int style, std::string_view title)
{
    m_messages.push_back({std::string(text), style, std::string(title)});
}

void MemoryForm::setValue(ControlId control, int value)
{
    m_values[control] = value;
}

void MemoryForm::select(ControlId optionButton)
{
    for (const ControlDefinition &row : Controls) {
        if (row.name == optionButton.name()) {
            const ControlId id = idOf(row);
            m_values[id] = id == optionButton ? 1 : 0;
        }
    }
}

}  // namespace tobarin
