#pragma once
// A monospaced printer for the tests: every character is one column, every
// line one unit high, and a page holds pageLines lines. It keeps what was
// drawn as a grid of characters per page, with the font of every text.

#include "common/text.h"
#include "report/print_device.h"

#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hk::test {

struct FakeFont {
    std::string name = "Druckerschrift"; // the device's own font before any change
    double size = 10;
    bool bold = false;
};

struct FakeDraw {
    int page = 0; // from 0
    double x = 0; // in columns from 0
    int line = 0; // from 0 on its page
    std::string text;
    FakeFont font;
};

// The characters of a UTF-8 text, one string per character.
inline std::vector<std::string> Chars(std::string_view s) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t start = pos;
        DecodeUtf8(s, pos);
        out.emplace_back(s.substr(start, pos - start));
    }
    return out;
}

inline std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

// One expected line: each text starts at its column (counted from 1).
inline std::string Line(const std::vector<std::pair<int, std::string>>& parts) {
    std::vector<std::string> cells;
    for (const auto& [column, text] : parts) {
        std::size_t at = static_cast<std::size_t>(column - 1);
        for (const std::string& c : Chars(text)) {
            if (cells.size() <= at) {
                cells.resize(at + 1, " ");
            }
            cells[at++] = c;
        }
    }
    std::string s;
    for (const std::string& c : cells) {
        s += c;
    }
    return TrimRight(s);
}

class FakePrintDevice : public PrintDevice {
public:
    explicit FakePrintDevice(int pageLines = 1000) : pageLines_(pageLines) {
        pages_.emplace_back();
    }

    // Proportional variant: a column is columnWidth wide, a character charWidth.
    FakePrintDevice(int pageLines, double columnWidth, double charWidth)
        : pageLines_(pageLines), columnWidth_(columnWidth), charWidth_(charWidth) {
        pages_.emplace_back();
    }

    bool failNewPage = false;
    bool failEnd = false;
    int newPageCalls = 0;
    int endCalls = 0;
    std::vector<FakeDraw> draws;

    void setFontName(const std::string& name) override { font_.name = name; }
    void setFontSize(double points) override { font_.size = points; }
    void setBold(bool bold) override { font_.bold = bold; }
    double textWidth(std::string_view text) override {
        return static_cast<double>(CharCount(text)) * charWidth_;
    }
    double averageCharWidth() override { return columnWidth_; }
    double lineHeight() override { return 1; }
    double pageHeight() override { return pageLines_; }
    bool newPage() override {
        ++newPageCalls;
        if (failNewPage) {
            return false;
        }
        pages_.emplace_back();
        return true;
    }
    void drawText(double x, double y, std::string_view text) override {
        const int line = static_cast<int>(std::lround(y));
        draws.push_back({static_cast<int>(pages_.size()) - 1, x / columnWidth_, line,
                         std::string(text), font_});
        std::vector<std::string>& cells = pages_.back()[line];
        std::size_t at = static_cast<std::size_t>(std::lround(x / columnWidth_));
        for (const std::string& c : Chars(text)) {
            if (cells.size() <= at) {
                cells.resize(at + 1, " ");
            }
            cells[at++] = c;
        }
    }
    bool endDocument() override {
        ++endCalls;
        return !failEnd;
    }

    int pageCount() const { return static_cast<int>(pages_.size()); }

    // The lines of a page down to its last drawn line, trailing blanks cut.
    std::vector<std::string> lines(int page = 0) const {
        const auto& grid = pages_.at(static_cast<std::size_t>(page));
        std::vector<std::string> out;
        if (grid.empty()) {
            return out;
        }
        out.resize(static_cast<std::size_t>(grid.rbegin()->first + 1));
        for (const auto& [line, cells] : grid) {
            std::string s;
            for (const std::string& c : cells) {
                s += c;
            }
            out[static_cast<std::size_t>(line)] = TrimRight(s);
        }
        return out;
    }

private:
    int pageLines_;
    double columnWidth_ = 1;
    double charWidth_ = 1;
    FakeFont font_;
    std::vector<std::map<int, std::vector<std::string>>> pages_;
};

} // namespace hk::test
