#pragma once

#include "engine/controls.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tobarin::testing {

// The window's properties held in maps, as they stand when the window opens:
// every text and caption empty, Line3 visible, Option1(0) selected.
class FakeForm : public ControlProperties {
public:
    struct Message {
        std::string text;
        int style;
        std::string title;
    };

    FakeForm() { m_values[key({"Option1", 0})] = 1; }

    [[nodiscard]] std::string text(ControlId c) const override { return lookup(m_texts, c); }
    void setText(ControlId c, std::string_view t) override { m_texts[key(c)] = t; }
    [[nodiscard]] std::string caption(ControlId c) const override { return lookup(m_captions, c); }
    void setCaption(ControlId c, std::string_view t) override { m_captions[key(c)] = t; }
    [[nodiscard]] int value(ControlId c) const override
    {
        const auto it = m_values.find(key(c));
        return it == m_values.end() ? 0 : it->second;
    }
    [[nodiscard]] bool visible(ControlId c) const override { return !m_hidden.contains(key(c)); }
    void setVisible(ControlId c, bool v) override
    {
        if (v) {
            m_hidden.erase(key(c));
        } else {
            m_hidden.insert(key(c));
        }
    }
    void msgBox(std::string_view t, int style, std::string_view title) override
    {
        messages.push_back({std::string(t), style, std::string(title)});
    }

    // What the user does.
    void type(std::string_view array, int index, std::string_view t) { setText({array, index}, t); }
    void tick(int index, bool ticked = true) { m_values[key({"Check1", index})] = ticked ? 1 : 0; }
    void selectOperation(int index)
    {
        for (int i = 0; i < 4; ++i) {
            m_values[key({"Option1", i})] = i == index ? 1 : 0;
        }
    }
    // The first operand's three fields: integer part, numerator, denominator.
    void first(std::string_view whole, std::string_view num, std::string_view den)
    {
        type("Text1", 2, whole);
        type("Text1", 1, num);
        type("Text1", 0, den);
    }
    void second(std::string_view whole, std::string_view num, std::string_view den)
    {
        type("Text2", 2, whole);
        type("Text2", 1, num);
        type("Text2", 0, den);
    }
    [[nodiscard]] std::string label1(int index) const { return caption({"Label1", index}); }

    std::vector<Message> messages;

private:
    using Key = std::pair<std::string, int>;
    static Key key(ControlId c) { return {std::string(c.name), c.index}; }
    template <typename Map> static std::string lookup(const Map &map, const ControlId &c)
    {
        const auto it = map.find(key(c));
        return it == map.end() ? std::string() : it->second;
    }

    std::map<Key, std::string> m_texts;
    std::map<Key, std::string> m_captions;
    std::map<Key, int> m_values;
    std::set<Key> m_hidden;
};

}  // namespace tobarin::testing
