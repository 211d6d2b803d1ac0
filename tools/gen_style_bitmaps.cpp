// Draws the built-in style bitmaps of the skinned controls as PNG files, one per resource name,
// at the size and frame layout the controls cut them by. The pictures the program shows (the
// WinXP and DeepBlue buttons, the check boxes, the combo box buttons, the title bar pieces and
// buttons, the MacOS tab strip) are drawn with some care; the rest are plain placeholders.
//
// Fuchsia (255, 0, 255) is the see-through key of skin bitmaps. It appears only in the corners
// of looks whose pictures are drawn masked, never inside a face, an edge or a middle slice that
// is stretched or drawn opaque.
//
//   gen_style_bitmaps OUTPUT_DIR
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kKey{255, 0, 255};

constexpr Rgb Hex(std::uint32_t v) {
    return {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](int x, int y) { return std::uint8_t(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

class Canvas {
public:
    Canvas(int w, int h, Rgb fill = {}) : w_(w), h_(h), px_(std::size_t(w) * h, fill) {}
    int width() const { return w_; }
    int height() const { return h_; }
    const std::vector<Rgb>& pixels() const { return px_; }

    void set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < w_ && y < h_)
            px_[std::size_t(y) * w_ + x] = c;
    }
    Rgb at(int x, int y) const { return px_[std::size_t(y) * w_ + x]; }
    void fill(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                set(x, y, c);
    }
    // Vertical gradient from `top` to `bottom` over rows y0..y1-1.
    void gradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
        const int span = std::max(y1 - y0 - 1, 1);
        for (int y = y0; y < y1; ++y)
            fill(x0, y, x1, y + 1, Mix(top, bottom, double(y - y0) / span));
    }
    void frame(int x0, int y0, int x1, int y1, Rgb c) {
        fill(x0, y0, x1, y0 + 1, c);
        fill(x0, y1 - 1, x1, y1, c);
        fill(x0, y0, x0 + 1, y1, c);
        fill(x1 - 1, y0, x1, y1, c);
    }
    void line(int x0, int y0, int x1, int y1, Rgb c) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            set(x0, y0, c);
            if (x0 == x1 && y0 == y1)
                break;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

private:
    int w_, h_;
    std::vector<Rgb> px_;
};

bool WritePng(const std::string& path, const Canvas& c) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows(std::size_t(c.height()));
    std::vector<Rgb> copy = c.pixels();
    for (int y = 0; y < c.height(); ++y)
        rows[std::size_t(y)] = reinterpret_cast<png_bytep>(&copy[std::size_t(y) * c.width()]);
    volatile bool ok = false; // set after setjmp
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(c.width()), png_uint_32(c.height()), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}

static_assert(sizeof(Rgb) == 3, "PNG rows are written straight from the pixels");

// --- The looks ---

enum Look { MacOS, WinXP, DeepBlue, Protein, BlueGlass, kLooks };

const char* const kPrefix[kLooks] = {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"};

struct Palette {
    Rgb background; // the look's control background (table element 26)
    Rgb border;
    Rgb faceTop, faceBottom;
    Rgb hot;    // mouse-over accent
    Rgb accent; // check marks, arrows
    Rgb titleTop, titleBottom, titleText;
    bool maskedButtons; // button faces drawn masked (table element 2)
};

const Palette kPalette[kLooks] = {
    // MacOS
    {Hex(0xE7E7E7), Hex(0x7F7F7F), Hex(0xFDFDFD), Hex(0xD4D8DE), Hex(0x6FA6E8), Hex(0x3875D7),
     Hex(0xEDEDED), Hex(0xBDBDBD), Hex(0x000000), true},
    // WinXP: Luna-like blue title, beige form, white-to-beige buttons with an orange hover ring.
    {Hex(0xEFEBDE), Hex(0x003C74), Hex(0xFFFFFF), Hex(0xE3E2DA), Hex(0xF8B330), Hex(0x21A121),
     Hex(0x3D95FF), Hex(0x0046D5), Hex(0xFFFFFF), false},
    // DeepBlue
    {Hex(0xE8E8E8), Hex(0x1F3F73), Hex(0xF2F6FC), Hex(0xB9C9E0), Hex(0x5C8FD6), Hex(0x1F3F73),
     Hex(0x4A6FA8), Hex(0x1F3F73), Hex(0xFFFFFF), false},
    // Protein
    {Hex(0xFBFBFB), Hex(0x404040), Hex(0xFBFBFB), Hex(0xD8D8D8), Hex(0x2D30C4), Hex(0x2D30C4),
     Hex(0x8A8A8A), Hex(0x505050), Hex(0xFFFFFF), false},
    // BlueGlass
    {Hex(0xE7E7E7), Hex(0x2A4F86), Hex(0xD5E6FA), Hex(0x8FB5E6), Hex(0x5E5EEC), Hex(0x2A4F86),
     Hex(0x9CC2F0), Hex(0x3F6FB5), Hex(0xFFFFFF), true},
};

// A strip of `count` frames of fw x h, each drawn by `draw` (canvas, left x, frame from 1).
Canvas Strip(int fw, int h, int count, Rgb fill,
             const std::function<void(Canvas&, int, int)>& draw) {
    Canvas c(fw * count, h, fill);
    for (int i = 0; i < count; ++i)
        draw(c, i * fw, i + 1);
    return c;
}

// A rounded face: corner pixels in `corner`, a border, a vertical gradient inside.
void Face(Canvas& c, int x0, int y0, int w, int h, Rgb corner, Rgb border, Rgb top, Rgb bottom) {
    c.fill(x0, y0, x0 + w, y0 + h, border);
    c.gradient(x0 + 1, y0 + 1, x0 + w - 1, y0 + h - 1, top, bottom);
    for (auto [x, y] : {std::pair{x0, y0}, std::pair{x0 + w - 1, y0}, std::pair{x0, y0 + h - 1},
                        std::pair{x0 + w - 1, y0 + h - 1}})
        c.set(x, y, corner);
}

// Push button: frames normal, mouse over, pressed. Edges and the middle slice never hold the
// key, because the nine-piece drawing keys them whatever the look says.
Canvas Button(Look look, int w, int h) {
    const Palette& p = kPalette[look];
    // Opaque looks round their corners with a pixel halfway between border and face, which
    // reads as rounded on light and dark pages alike.
    const Rgb corner = p.maskedButtons ? kKey : Mix(p.border, p.faceBottom, 0.5);
    return Strip(w / 3, h, 3, corner, [&](Canvas& c, int x0, int frame) {
        const int fw = w / 3;
        if (frame == 3) {
            Face(c, x0, 0, fw, h, corner, p.border, Mix(p.faceBottom, Hex(0x000000), 0.08),
                 Mix(p.faceTop, p.faceBottom, 0.3));
            return;
        }
        Face(c, x0, 0, fw, h, corner, p.border, p.faceTop, p.faceBottom);
        if (frame == 2) {
            // Hover: a two-pixel warm ring inside the border.
            c.frame(x0 + 1, 1, x0 + fw - 1, h - 1, p.hot);
            c.fill(x0 + 2, 2, x0 + fw - 2, 3, Mix(p.hot, p.faceTop, 0.5));
            c.fill(x0 + 2, h - 3, x0 + fw - 2, h - 2, Mix(p.hot, p.faceBottom, 0.3));
        }
    });
}

void CheckMark(Canvas& c, int x0, int y0, int w, int h, Rgb color) {
    // A short stroke down, a long one up; two pixels thick.
    const int ax = x0 + w / 4, ay = y0 + h / 2 - 1;
    const int bx = x0 + w / 2 - 1, by = y0 + h - h / 4 - 1;
    const int cx = x0 + w - w / 4, cy = y0 + h / 4;
    for (int d = 0; d < 2; ++d) {
        c.line(ax, ay + d, bx, by + d, color);
        c.line(bx, by + d, cx, cy + d, color);
    }
}

// Check box: frames checked, unchecked, checked disabled, unchecked disabled. Drawn opaque.
Canvas CheckBox(Look look, int w, int h, bool round) {
    const Palette& p = kPalette[look];
    return Strip(w / 4, h, 4, p.background, [&](Canvas& c, int x0, int frame) {
        const int fw = w / 4;
        const bool checked = frame == 1 || frame == 3;
        const bool enabled = frame <= 2;
        const int size = std::min(fw, h);
        const int bx = x0 + (fw - size) / 2, by = (h - size) / 2;
        const Rgb border = enabled ? p.border : Hex(0xB5B2A6);
        const Rgb top = enabled ? Hex(0xDCDBD5) : Hex(0xF5F4EA);
        const Rgb bottom = enabled ? Hex(0xFFFFFF) : Hex(0xF5F4EA);
        const Rgb mark = enabled ? p.accent : Hex(0xB5B2A6);
        if (round) {
            const double r = size / 2.0, cx = bx + r, cy = by + r;
            for (int y = by; y < by + size; ++y)
                for (int x = bx; x < bx + size; ++x) {
                    const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                    if (d > r)
                        continue;
                    c.set(x, y, d > r - 1.2 ? border : Mix(top, bottom, (y - by) / double(size)));
                    if (checked && d < r / 2.6)
                        c.set(x, y, mark);
                }
            return;
        }
        c.frame(bx, by, bx + size, by + size, border);
        c.gradient(bx + 1, by + 1, bx + size - 1, by + size - 1, top, bottom);
        if (checked)
            CheckMark(c, bx + 1, by + 1, size - 2, size - 2, mark);
    });
}

// Down arrow (a filled triangle, 9 pixels wide) centred in a rectangle; bold enough to survive
// being stretched over a slightly smaller button.
void DownArrow(Canvas& c, int x0, int y0, int w, int h, Rgb color) {
    const int cx = x0 + w / 2, cy = y0 + h / 2 - 2;
    for (int i = 0; i < 5; ++i)
        c.fill(cx - 4 + i, cy + i, cx + 5 - i, cy + i + 1, color);
}

void SideArrow(Canvas& c, int x0, int y0, int w, int h, Rgb color, bool right) {
    const int cx = x0 + w / 2, cy = y0 + h / 2;
    for (int i = 0; i < 4; ++i) {
        const int x = right ? cx - 2 + i : cx + 1 - i;
        c.fill(x, cy - 3 + i, x + 1, cy + 4 - i, color);
    }
}

// Drop-down button of the combo box, stretched over the platform's button. The WinXP picture
// carries its own arrow; the MacOS arrow is painted over the picture.
Canvas ComboButton(Look look, int w, int h) {
    Canvas c(w, h);
    if (look == WinXP) {
        Face(c, 0, 0, w, h, Hex(0xFFFFFF), Hex(0xB9CCF7), Hex(0xE1EAFE), Hex(0xB2C8F7));
        DownArrow(c, 0, 0, w, h, Hex(0x4D6185));
    } else {
        Face(c, 0, 0, w, h, kPalette[look].background, Hex(0x5A7FB8), Hex(0xBFD8F7), Hex(0x5C95E0));
    }
    return c;
}

// Title bar piece: the look's caption gradient; the left and right pieces close the bar with a
// darker outer column.
Canvas TitlePiece(Look look, int w, int h, int side) {
    const Palette& p = kPalette[look];
    Canvas c(w, h);
    c.gradient(0, 0, w, h, p.titleTop, p.titleBottom);
    c.fill(0, 0, w, 1, Mix(p.titleTop, Hex(0xFFFFFF), 0.35)); // highlight line
    c.fill(0, h - 1, w, h, Mix(p.titleBottom, Hex(0x000000), 0.3));
    if (side < 0)
        c.fill(0, 0, 1, h, Mix(p.titleBottom, Hex(0x000000), 0.3));
    if (side > 0)
        c.fill(w - 1, 0, w, h, Mix(p.titleBottom, Hex(0x000000), 0.3));
    return c;
}

// Title bar buttons: 18 frames, six kinds (control box, help, maximize, restore, minimize,
// close) in three states each (normal, mouse over, pressed).
Canvas TitleButtons(Look look, int w, int h) {
    const Palette& p = kPalette[look];
    const int fw = w / 18;
    // Looks whose title buttons are drawn transparent get keyed corners; the others take the
    // bar's colour at the button's height.
    const bool masked = look == Protein || look == BlueGlass;
    const Rgb corner = masked ? kKey : Mix(p.titleTop, p.titleBottom, 0.5);
    return Strip(fw, h, 18, corner, [&](Canvas& c, int x0, int frame) {
        const int kind = (frame - 1) / 3; // 0 box, 1 help, 2 max, 3 restore, 4 min, 5 close
        const int state = (frame - 1) % 3;
        Rgb top = kind == 5 ? Hex(0xE9805C) : Mix(p.titleTop, Hex(0xFFFFFF), 0.25);
        Rgb bottom = kind == 5 ? Hex(0xC4381B) : p.titleBottom;
        if (state == 1) {
            top = Mix(top, Hex(0xFFFFFF), 0.3);
            bottom = Mix(bottom, Hex(0xFFFFFF), 0.2);
        } else if (state == 2) {
            std::swap(top, bottom);
        }
        Face(c, x0, 0, fw, h, corner, Hex(0xFFFFFF), top, bottom);
        const Rgb g = p.titleText;
        const int m = std::max(fw / 4, 3); // glyph margin
        const int l = x0 + m, t = m, r = x0 + fw - m, b = h - m;
        switch (kind) {
        case 0: // control box: a small window
            c.frame(l, t, r, b, g);
            c.fill(l, t, r, t + 2, g);
            break;
        case 1: // help: a question mark
            c.line(l + 1, t + 1, l + 2, t, g);
            c.line(l + 2, t, r - 2, t, g);
            c.line(r - 2, t, r - 1, t + 1, g);
            c.line(r - 1, t + 1, r - 1, t + 2, g);
            c.line(r - 1, t + 2, (l + r) / 2, (t + b) / 2, g);
            c.line((l + r) / 2, (t + b) / 2, (l + r) / 2, b - 3, g);
            c.fill((l + r) / 2, b - 2, (l + r) / 2 + 1, b, g);
            break;
        case 2: // maximize: a window with a thick top
            c.frame(l, t, r, b, g);
            c.fill(l, t, r, t + 2, g);
            break;
        case 3: // restore: two overlapping windows
            c.frame(l + 2, t, r, b - 2, g);
            c.fill(l, t + 2, r - 2, b, top);
            c.frame(l, t + 2, r - 2, b, g);
            c.fill(l, t + 2, r - 2, t + 4, g);
            break;
        case 4: // minimize: a bar at the bottom
            c.fill(l, b - 3, r - 2, b - 1, g);
            break;
        default: // close: an X, two pixels thick
            for (int d = 0; d < 2; ++d) {
                c.line(l + d, t, r - 2 + d, b - 1, g);
                c.line(r - 2 + d, t, l + d, b - 1, g);
            }
            break;
        }
    });
}

// Tabs: frame 1 the active tab, frame 2 an inactive one, each cut in three at drawing time.
// The top-left pixel (the key) and the other rounded corner pixels are fuchsia; the middle
// third keeps none.
Canvas Tabs(Look look, int w, int h) {
    const Palette& p = kPalette[look];
    return Strip(w / 2, h, 2, kKey, [&](Canvas& c, int x0, int frame) {
        const int fw = w / 2;
        const bool active = frame == 1;
        const Rgb top = active ? Hex(0xFFFFFF) : Mix(p.background, Hex(0x000000), 0.12);
        const Rgb bottom = active ? p.background : Mix(p.background, Hex(0x000000), 0.22);
        c.fill(x0, 0, x0 + fw, h, p.border);
        c.gradient(x0 + 1, 1, x0 + fw - 1, active ? h : h - 1, top, bottom);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{0, 1}})
            c.set(x0 + x, y, kKey);
        for (auto [x, y] : {std::pair{fw - 1, 0}, std::pair{fw - 2, 0}, std::pair{fw - 1, 1}})
            c.set(x0 + x, y, kKey);
        if (fw >= 9) // restore the border where the rounding turns
            c.set(x0 + 1, 1, p.border), c.set(x0 + fw - 2, 1, p.border);
    });
}

// The line under the tabs: the border on top, the page colour below.
Canvas TabLine(Look look, int w, int h) {
    const Palette& p = kPalette[look];
    Canvas c(w, h, p.background);
    c.fill(0, 0, w, 1, p.border);
    return c;
}

// Scroll buttons of the tab strip: right, right hot, left, left hot.
Canvas ScrollButtons(Look look, int w, int h) {
    const Palette& p = kPalette[look];
    return Strip(w / 4, h, 4, p.background, [&](Canvas& c, int x0, int frame) {
        const int fw = w / 4;
        const bool hot = frame == 2 || frame == 4;
        Face(c, x0, 0, fw, h, p.background, p.border, hot ? Hex(0xFFFFFF) : p.faceTop,
             hot ? Mix(p.faceBottom, p.hot, 0.4) : p.faceBottom);
        SideArrow(c, x0, 0, fw, h, Hex(0x202020), frame <= 2);
    });
}

// A picture no window of the program draws: the look's face with a border, in equal frames.
Canvas Placeholder(Look look, int w, int h, int frames = 1) {
    const Palette& p = kPalette[look];
    return Strip(w / frames, h, frames, p.background, [&](Canvas& c, int x0, int) {
        Face(c, x0, 0, w / frames, h, p.background, p.border, p.faceTop, p.faceBottom);
    });
}

struct Output {
    std::string name;
    Canvas canvas;
};

std::vector<Output> AllBitmaps() {
    std::vector<Output> out;
    auto add = [&](Look look, const char* part, Canvas c) {
        out.push_back({std::string(kPrefix[look]) + part, std::move(c)});
    };
    struct Size {
        int w, h;
    };
    // Sizes per look: MacOS, WinXP, DeepBlue, Protein, BlueGlass.
    const Size button[] = {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}};
    const Size checkBox[] = {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}};
    const Size radio[] = {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}};
    const Size titleBtn[] = {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}};
    const Size titleLeft[] = {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}};
    const Size titleClient[] = {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}};
    const Size titleRight[] = {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}};
    const Size scrollBarButton[] = {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}};
    const Size scrollBarTrack[] = {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}};
    const Size trackBar[] = {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}};
    const Size trackSlider[] = {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}};
    const Size trackSliderV[] = {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}};
    const Size tab[] = {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}};
    const Size tabLine[] = {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}};

    for (int i = 0; i < kLooks; ++i) {
        const Look look = Look(i);
        add(look, "BUTTON", Button(look, button[i].w, button[i].h));
        add(look, "CHECKBOX", CheckBox(look, checkBox[i].w, checkBox[i].h, false));
        add(look, "RADIOBUTTON", CheckBox(look, radio[i].w, radio[i].h, true));
        add(look, "TITLEBTN", TitleButtons(look, titleBtn[i].w, titleBtn[i].h));
        add(look, "TITLE_LEFT", TitlePiece(look, titleLeft[i].w, titleLeft[i].h, -1));
        add(look, "TITLE_CLIENT", TitlePiece(look, titleClient[i].w, titleClient[i].h, 0));
        add(look, "TITLE_RIGHT", TitlePiece(look, titleRight[i].w, titleRight[i].h, 1));
        add(look, "SCROLLBAR_BUTTON",
            Placeholder(look, scrollBarButton[i].w, scrollBarButton[i].h, 4));
        add(look, "SCROLLBAR_TRACK", Placeholder(look, scrollBarTrack[i].w, scrollBarTrack[i].h));
        add(look, "TRACKBAR_BAR", Placeholder(look, trackBar[i].w, trackBar[i].h));
        add(look, "TRACKBAR_SLIDER", Placeholder(look, trackSlider[i].w, trackSlider[i].h));
        add(look, "TRACKBAR_SLIDER_V", Placeholder(look, trackSliderV[i].w, trackSliderV[i].h));
        add(look, "TAB", Tabs(look, tab[i].w, tab[i].h));
        add(look, "TAB_LINE", TabLine(look, tabLine[i].w, tabLine[i].h));
        add(look, "PROGRESSBAR", Placeholder(look, 24, 16, 2));
        add(look, "CHECKLIST", CheckBox(look, 52, 13, false));
        add(look, "SIDECHENNEL_BAR", Placeholder(look, 45, 6));
        add(look, "SIDECHENNEL_HANDLE", Placeholder(look, 11, 20));
    }
    add(MacOS, "SCROLLBUTTON", ScrollButtons(MacOS, 72, 18));
    add(WinXP, "SCROLLBUTTON", ScrollButtons(WinXP, 72, 18));
    out.push_back({"MORE_SCROLLBUTTON", ScrollButtons(DeepBlue, 72, 17)});
    add(MacOS, "COMBOBOX_BUTTON", ComboButton(MacOS, 16, 17));
    add(WinXP, "COMBOBOX_BUTTON", ComboButton(WinXP, 16, 18));

    // Form backgrounds (a brush pattern) and the MacOS menu strips.
    Canvas macForm(16, 16, Hex(0xE7E7E7));
    for (int y = 0; y < 16; y += 2)
        macForm.fill(0, y, 16, y + 1, Hex(0xEDEDED));
    out.push_back({"MACOS_FORM_BACKGROUND", macForm});
    Canvas proteinForm(16, 16, Hex(0xFBFBFB));
    for (int i = 0; i < 16; i += 4)
        proteinForm.set(i, i, Hex(0xEFEFEF));
    out.push_back({"PROTEIN_FORM_BACKGROUND", proteinForm});
    Canvas menuBar(16, 20);
    menuBar.gradient(0, 0, 16, 20, Hex(0xFAFAFA), Hex(0xE2E2E2));
    out.push_back({"MACOS_MENU_BAR", menuBar});
    Canvas menuSelect(16, 20);
    menuSelect.gradient(0, 0, 16, 20, Hex(0x6D9DEB), Hex(0x2F6AD0));
    out.push_back({"MACOS_MENU_SELECT", menuSelect});
    // The menu check mark is drawn with white as its see-through colour.
    Canvas checked(12, 12, Hex(0xFFFFFF));
    CheckMark(checked, 0, 0, 12, 12, Hex(0x000000));
    out.push_back({"MENU_CHECKED", checked});
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_style_bitmaps OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    for (const Output& o : AllBitmaps()) {
        const std::string path = dir + "/" + o.name + ".png";
        if (!WritePng(path, o.canvas)) {
            std::fprintf(stderr, "gen_style_bitmaps: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
