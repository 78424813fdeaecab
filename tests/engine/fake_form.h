#pragma once

#include <string>
#include <string_view>

#include "form/definition.h"
#include "form/memory_form.h"

namespace tobarin::testing {

// The window in memory, with the shortcuts the engine's tests use to fill it.
class FakeForm : public MemoryForm {
public:
    void tick(int index, bool ticked = true) { setValue(Check1[index], ticked ? 1 : 0); }
    // Selects an operation button; -1 selects none.
    void selectOperation(int index)
    {
        for (int i = 0; i < Option1.size(); ++i) {
            setValue(Option1[i], i == index ? 1 : 0);
        }
    }
    // The first operand's three fields: integer part, numerator, denominator.
    void first(std::string_view whole, std::string_view num, std::string_view den)
    {
        setText(Text1[2], whole);
        setText(Text1[1], num);
        setText(Text1[0], den);
    }
    void second(std::string_view whole, std::string_view num, std::string_view den)
    {
        setText(Text2[2], whole);
        setText(Text2[1], num);
        setText(Text2[0], den);
    }
    [[nodiscard]] std::string label1(int index) const { return caption(Label1[index]); }
};

}  // namespace tobarin::testing
