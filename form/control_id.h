#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace tobarin {

class ControlArray;

// A control of the window: a single control ("Line3") or one element of a
// control array ("Text1(2)"). Ids are made only from the named constants of
// form/definition.h and the arrays' operator[], so every id names a control
// that exists.
class ControlId {
public:
    static constexpr int NoIndex = -1;

    [[nodiscard]] constexpr std::string_view name() const noexcept { return m_name; }
    [[nodiscard]] constexpr int index() const noexcept { return m_index; }
    [[nodiscard]] constexpr bool inArray() const noexcept { return m_index != NoIndex; }

    // The name with the index in parentheses: "Text1(2)", "Line3".
    [[nodiscard]] std::string objectName() const
    {
        std::string text(m_name);
        if (inArray()) {
            text += "(" + std::to_string(m_index) + ")";
        }
        return text;
    }

    friend constexpr bool operator==(const ControlId &a, const ControlId &b) noexcept
    {
        return a.name() == b.name() && a.m_index == b.m_index;
    }
    // An order for maps keyed by control.
    friend constexpr bool operator<(const ControlId &a, const ControlId &b) noexcept
    {
        return a.name() != b.name() ? a.name() < b.name() : a.m_index < b.m_index;
    }

private:
    friend class ControlArray;
    friend consteval ControlId definedControl(std::string_view name);

    // name is one of the definition's string literals, so it ends in a NUL.
    constexpr ControlId(std::string_view name, int index) noexcept
        : m_name(name.data())
        , m_index(index)
    {
    }

    // Two words, so that an id is passed in registers like a plain value.
    const char *m_name;
    int m_index;
};

// A control array, indexed from 0 without gaps: Text1[2] is Text1(2). An index
// outside the array throws std::out_of_range (a compile error where the index
// is a constant).
class ControlArray {
public:
    [[nodiscard]] constexpr std::string_view name() const noexcept { return m_name; }
    [[nodiscard]] constexpr int size() const noexcept { return m_size; }

    [[nodiscard]] constexpr ControlId operator[](int index) const
    {
        if (index < 0 || index >= m_size) {
            throw std::out_of_range("no such element of a control array");
        }
        return {m_name, index};
    }
    // An element named by what it holds: Text1[Field::Whole], Option1[Operation::Divide].
    template <typename Index>
    requires std::is_enum_v<Index>
    [[nodiscard]] constexpr ControlId operator[](Index index) const
    {
        return (*this)[static_cast<int>(index)];
    }

    [[nodiscard]] constexpr bool contains(ControlId control) const noexcept
    {
        return control.name() == m_name && control.inArray();
    }

private:
    friend consteval ControlArray definedArray(std::string_view name);

    constexpr ControlArray(std::string_view name, int size) noexcept
        : m_name(name)
        , m_size(size)
    {
    }

    std::string_view m_name;
    int m_size;
};

}  // namespace tobarin
