// A canvas that remembers what was drawn, for tests: each primitive with the
// pen and brush in force when it was drawn.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"

namespace tarvik::render {

class RecordingCanvas : public Canvas {
public:
    enum class Kind { Line, Ellipse, Rectangle, FillRect, Clear, Text };
    struct Pen {
        int style = kSolid, width = 1, colour = kBlack;
        bool operator==(const Pen&) const = default;
    };
    struct Item {
        Kind kind;
        int x1, y1, x2, y2;  // a line from (x1, y1) to (x2, y2), or a box
        Pen pen;
        int brush;
        bool invert;
        std::string text;  // of a Text item, at (x1, y1)
    };

    explicit RecordingCanvas(int width = 640, int height = 480) : w_(width), h_(height) {}

    int width() const override { return w_; }
    int height() const override { return h_; }
    void set_pen(int style, int width, int colour) override { pen_ = {style, width, colour}; }
    void set_brush(int colour) override { brush_ = colour; }
    void set_invert(bool on) override { invert_ = on; }
    void move_to(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void line_to(int x, int y) override {
        add(Kind::Line, x_, y_, x, y);
        x_ = x;
        y_ = y;
    }
    void ellipse(int l, int t, int r, int b) override { add(Kind::Ellipse, l, t, r, b); }
    void rectangle(int l, int t, int r, int b) override { add(Kind::Rectangle, l, t, r, b); }
    void fill_rect(int l, int t, int r, int b) override { add(Kind::FillRect, l, t, r, b); }
    void clear(int colour) override {
        brush_ = colour;
        add(Kind::Clear, 0, 0, w_, h_);
    }
    void text(int x, int y, std::string_view utf8) override {
        add(Kind::Text, x, y, x, y);
        items_.back().text = std::string(utf8);
    }
    // The texts drawn, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> v;
        for (const Item& i : items_)
            if (i.kind == Kind::Text) v.push_back(i.text);
        return v;
    }

    const std::vector<Item>& items() const { return items_; }
    std::vector<Item> of(Kind k) const {
        std::vector<Item> v;
        for (const Item& i : items_)
            if (i.kind == k) v.push_back(i);
        return v;
    }
    void reset() { items_.clear(); }
    int pen_x() const { return x_; }
    int pen_y() const { return y_; }

private:
    void add(Kind k, int a, int b, int c, int d) {
        items_.push_back({k, a, b, c, d, pen_, brush_, invert_, {}});
    }
    int w_, h_;
    int x_ = 0, y_ = 0;
    Pen pen_;
    int brush_ = kWhite;
    bool invert_ = false;
    std::vector<Item> items_;
};

}  // namespace tarvik::render
