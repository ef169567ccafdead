#pragma once
// A calculation screen without widgets: holds texts, selection, focus and
// visibility, and records every message box that would have been shown.

#include "calc/calc_screen.h"

#include <map>
#include <string>
#include <vector>

namespace hk::test {

class FakeCalcScreen : public CalcScreen {
public:
    std::map<CalcControl, std::string> texts;
    std::map<CalcControl, bool> enabled;
    std::map<CalcControl, bool> visible;
    std::vector<std::string> listItems;
    int selectedIndex = -1;
    bool dinSelected = false;
    bool enSelected = false;
    CalcControl focus = CalcControl::optDIN;
    std::vector<Message> messages;
    std::vector<Question> asked;
    bool confirms = false; // the answer to every question

    std::string text(CalcControl c) const override {
        auto it = texts.find(c);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(CalcControl c, const std::string& t) override { texts[c] = t; }
    void appendText(CalcControl c, const std::string& t) override { texts[c] += t; }
    bool isSelected(CalcControl option) const override {
        return option == CalcControl::optDIN ? dinSelected
                                             : option == CalcControl::optEN && enSelected;
    }
    void select(CalcControl option) override {
        dinSelected = option == CalcControl::optDIN;
        enSelected = option == CalcControl::optEN;
    }
    void setEnabled(CalcControl c, bool e) override { enabled[c] = e; }
    void setVisible(CalcControl c, bool v) override { visible[c] = v; }
    void setFocus(CalcControl c) override { focus = c; }
    void addListItem(const std::string& t) override { listItems.push_back(t); }
    int listIndex() const override { return selectedIndex; }
    std::string listText() const override {
        return selectedIndex >= 0 && selectedIndex < static_cast<int>(listItems.size())
                   ? listItems[static_cast<std::size_t>(selectedIndex)]
                   : std::string();
    }
    void showMessage(const Message& m) override { messages.push_back(m); }
    bool ask(const Question& q) override {
        asked.push_back(q);
        return confirms;
    }

    bool isEnabled(CalcControl c) const {
        auto it = enabled.find(c);
        return it == enabled.end() || it->second;
    }
    bool isVisible(CalcControl c) const {
        auto it = visible.find(c);
        return it != visible.end() && it->second;
    }
    // Types the radiator's fields as the user would.
    void type(CalcControl c, const std::string& t) { texts[c] = t; }
};

} // namespace hk::test
