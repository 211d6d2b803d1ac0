// Draws the main window's skin: every picture the window, its pages and its dialogs show, as PNG
// files named like their resources, and the busy window's spinner as a GIF.
//
// One look throughout: dark slate panels, one cyan accent, light text. Buttons come in three
// states (normal, pointer over, pressed or selected), check marks, radios and step bars in two
// (off, on). The window background is see-through outside its rounded frame: those pixels hold
// exactly RGB(128, 0, 0), the window's key colour, and nothing inside the frame does.
//
// The page panels are drawn for the layout they carry: the generator reads the language set's
// layout text and puts grooves, cards and guide lines under the controls the layout places.
//
// PNGs are written with libpng so that colour type and interlacing are exactly what the program
// expects: RGBA everywhere, RGB for the dialog background, Adam7 for the four large pictures.
//
//   gen_skin_art OUTPUT_DIR ORG1.ini ORG2.ini ORG3.ini lang1.txt lang2.txt lang3.txt
#include "skin/LayoutKeys.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// ---- palette ---------------------------------------------------------------------------------

const QColor kKey(128, 0, 0); // the window's see-through colour
const QColor kBase(15, 18, 22);
const QColor kBaseLow(12, 14, 17);
const QColor kStrip(18, 22, 27);
const QColor kWell(21, 26, 32);
const QColor kLine(38, 46, 56);
const QColor kCardEdge(46, 55, 66);
const QColor kGroove(16, 20, 25);
const QColor kGrooveEdge(40, 48, 58);
const QColor kAccent(34, 198, 232);
const QColor kAccentLight(120, 226, 246);
const QColor kAccentDim(18, 122, 144);
const QColor kAccentDeep(12, 74, 88);
const QColor kText(223, 228, 234);
const QColor kSoft(154, 165, 177);
const QColor kMuted(96, 108, 122);

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

// ---- layout text -----------------------------------------------------------------------------

// One caption of a language set's caption source (resources/captions/langN.txt): the value of
// the quoted line "key=value", a doubled quote taken as one.
std::string CaptionOf(const fs::path& source, const std::string& key) {
    std::ifstream in(source, std::ios::binary);
    const std::string start = "\"" + key + "=";
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(start, 0) != 0 || line.size() < start.size() + 1 || line.back() != '"')
            continue;
        std::string value = line.substr(start.size(), line.size() - start.size() - 1);
        for (std::size_t i = 0; (i = value.find("\"\"", i)) != std::string::npos; ++i)
            value.erase(i, 1);
        return value;
    }
    std::fprintf(stderr, "gen_skin_art: caption %s missing in %s\n", key.c_str(), source.c_str());
    std::exit(1);
}

// Just enough of the layout text format for the generator: "key=value" lines, keys without
// regard to case, the last occurrence wins. The program's own reader checks the texts properly.
class Layout {
public:
    static Layout Read(const fs::path& path) {
        Layout layout;
        std::ifstream in(path, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            const auto eq = line.find('=');
            if (eq == std::string::npos || line.empty() || line[0] == ';')
                continue;
            layout.values_[lower(trim(line.substr(0, eq)))] = trim(line.substr(eq + 1));
        }
        if (layout.values_.empty()) {
            std::fprintf(stderr, "gen_skin_art: no layout read from %s\n", path.c_str());
            std::exit(1);
        }
        return layout;
    }

    int operator()(const std::string& key) const {
        const auto it = values_.find(lower(key));
        if (it == values_.end()) {
            std::fprintf(stderr, "gen_skin_art: layout key %s missing\n", key.c_str());
            std::exit(1);
        }
        return std::stoi(it->second);
    }
    QPoint at(const std::string& stem) const {
        return {(*this)(stem + "_X"), (*this)(stem + "_Y")};
    }
    QColor color(const std::string& stem) const {
        return QColor((*this)(stem + "_R"), (*this)(stem + "_G"), (*this)(stem + "_B"));
    }

private:
    static std::string trim(std::string s) {
        while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
            s.pop_back();
        std::size_t i = 0;
        while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ')
            ++i;
        return s.substr(i);
    }
    static std::string lower(std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    std::map<std::string, std::string> values_;
};

// ---- PNG writing -----------------------------------------------------------------------------

enum class PngKind { Rgba, Rgb };

bool writePng(const fs::path& path, const QImage& source, PngKind kind, bool interlaced) {
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    const int channels = kind == PngKind::Rgba ? 4 : 3;
    std::vector<std::uint8_t> bytes(std::size_t(image.width()) * image.height() * channels);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* src = image.constScanLine(y);
        std::uint8_t* dst = &bytes[std::size_t(y) * image.width() * channels];
        for (int x = 0; x < image.width(); ++x)
            for (int c = 0; c < channels; ++c)
                dst[x * channels + c] = src[x * 4 + c];
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows(std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        rows[std::size_t(y)] = &bytes[std::size_t(y) * image.width() * channels];
    volatile bool ok = false; // set after setjmp
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                     kind == PngKind::Rgba ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                     interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, 9);
        png_write_info(png, info);
        png_write_image(png, rows.data()); // runs the interlace passes itself
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}

// ---- drawing helpers -------------------------------------------------------------------------

QImage canvas(int w, int h, QColor fill = Qt::transparent) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

struct Painter : QPainter {
    explicit Painter(QImage* image) : QPainter(image) {
        setRenderHint(QPainter::Antialiasing);
        setRenderHint(QPainter::TextAntialiasing);
    }
};

QFont font(int pixelSize, int weight = QFont::Normal, double spacing = 0) {
    QFont f("DejaVu Sans");
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    if (spacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

QLinearGradient vertical(QRectF r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A card: rounded, gently shaded, with a 1-pixel edge and a faint top highlight.
void card(QPainter& p, QRectF r, double radius, QColor top = QColor(31, 37, 45),
          QColor bottom = QColor(25, 30, 37), QColor edge = kCardEdge) {
    const QRectF inner = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(edge, 1));
    p.setBrush(vertical(r, top, bottom));
    p.drawRoundedRect(inner, radius, radius);
    p.setPen(QPen(withAlpha(Qt::white, 14), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5),
               QPointF(r.right() - radius, r.top() + 1.5));
}

void groove(QPainter& p, QRectF r, double radius = 4) {
    p.setPen(QPen(kGrooveEdge, 1));
    p.setBrush(kGroove);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

// A short accent bar left of a heading label.
void headingMark(QPainter& p, QPoint labelTopLeft) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(labelTopLeft.x() - 10, labelTopLeft.y() + 3, 3, 14), 1.5, 1.5);
}

void hline(QPainter& p, double x0, double x1, double y, QColor c = kLine) {
    p.setPen(QPen(c, 1));
    p.drawLine(QPointF(x0, y + 0.5), QPointF(x1, y + 0.5));
}

// A faint dot grid, the texture of the large surfaces.
void dotGrid(QPainter& p, QRectF r, int step, QColor c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (double y = r.top() + step / 2.0; y < r.bottom(); y += step)
        for (double x = r.left() + step / 2.0; x < r.right(); x += step)
            p.drawEllipse(QPointF(x, y), 0.7, 0.7);
}

// ---- button faces ----------------------------------------------------------------------------

enum class State { Normal, Hover, Pressed };

void buttonFace(QPainter& p, QRectF r, State s, double radius) {
    switch (s) {
    case State::Normal:
        card(p, r, radius, QColor(44, 52, 62), QColor(33, 40, 48), QColor(60, 71, 84));
        break;
    case State::Hover:
        card(p, r, radius, QColor(52, 64, 77), QColor(38, 47, 57), kAccentDim);
        break;
    case State::Pressed:
        card(p, r, radius, QColor(30, 168, 200), QColor(16, 112, 134), kAccentLight);
        break;
    }
}

QImage pushButton(int w, int h, State s, double radius) {
    QImage img = canvas(w, h);
    Painter p(&img);
    buttonFace(p, QRectF(0, 0, w, h), s, radius);
    return img;
}

// Side-menu and tab button: a marker strip at the left, where the caption inset leaves room.
QImage tabButton(State s) {
    QImage img = canvas(100, 30);
    Painter p(&img);
    const QRectF r(0, 0, 100, 30);
    switch (s) {
    case State::Normal:
        card(p, r, 6, QColor(29, 35, 42), QColor(24, 29, 35), QColor(42, 50, 60));
        break;
    case State::Hover:
        card(p, r, 6, QColor(38, 47, 57), QColor(30, 37, 45), kAccentDim);
        break;
    case State::Pressed:
        card(p, r, 6, QColor(18, 110, 132), QColor(11, 70, 84), kAccent);
        break;
    }
    const QColor marker = s == State::Normal  ? QColor(58, 68, 80)
                          : s == State::Hover ? kAccentDim
                                              : kAccentLight;
    p.setPen(Qt::NoPen);
    p.setBrush(marker);
    p.drawRoundedRect(QRectF(4, 7, 3, 16), 1.5, 1.5);
    return img;
}

// Key-page key button: the face and a small chevron, the key opens a menu.
QImage keyButton(State s) {
    QImage img = canvas(150, 30);
    Painter p(&img);
    const QRectF r(0, 0, 150, 30);
    if (s == State::Normal)
        card(p, r, 6, QColor(36, 43, 52), QColor(28, 34, 41), QColor(56, 66, 79));
    else
        buttonFace(p, r, s, 6);
    // No drop-down mark: the update page's plain buttons wear this face too.
    return img;
}

QImage exitButton(State s) {
    QImage img = canvas(34, 35);
    Painter p(&img);
    const QRectF r(3, 4, 28, 28);
    const QColor fill = s == State::Normal  ? QColor(32, 38, 46)
                        : s == State::Hover ? QColor(206, 64, 64)
                                            : QColor(150, 40, 44);
    p.setPen(QPen(s == State::Normal ? QColor(56, 66, 79) : fill.lighter(125), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    p.setPen(QPen(s == State::Normal ? kSoft : Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    p.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
    p.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
    return img;
}

QImage minimiseButton(State s) {
    QImage img = canvas(34, 33);
    Painter p(&img);
    const QRectF r(3, 3, 28, 28);
    const QColor fill = s == State::Normal  ? QColor(32, 38, 46)
                        : s == State::Hover ? kAccentDim
                                            : kAccentDeep;
    p.setPen(QPen(s == State::Normal ? QColor(56, 66, 79) : kAccent, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    p.setPen(QPen(s == State::Normal ? kSoft : Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    p.drawLine(c + QPointF(-6, 4), c + QPointF(6, 4));
    return img;
}

// Web-link button: a globe and an outward arrow; the label over it has no caption.
QImage webButton(State s) {
    QImage img = canvas(200, 66);
    Painter p(&img);
    buttonFace(p, QRectF(0, 0, 200, 66), s, 10);
    const QColor ink = s == State::Pressed ? Qt::white : s == State::Hover ? kAccentLight : kAccent;
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::NoBrush);
    const QPointF c(100, 33);
    p.drawEllipse(c, 18, 18);
    p.drawEllipse(c, 8, 18);
    p.drawLine(c + QPointF(-18, 0), c + QPointF(18, 0));
    p.drawLine(c + QPointF(0, -18), c + QPointF(0, 18));
    p.setPen(QPen(ink, 1.4));
    p.drawLine(c + QPointF(-15, -9), c + QPointF(15, -9));
    p.drawLine(c + QPointF(-15, 9), c + QPointF(15, 9));
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(132, 40), QPointF(146, 26));
    p.drawPolyline(QPolygonF({QPointF(137, 26), QPointF(146, 26), QPointF(146, 35)}));
    return img;
}

// The box keeps to the left of its 16 x 16 picture: the option labels lying over it start their
// text four blanks in, and the gap keeps the text off the box.
QImage checkBox(bool on) {
    QImage img = canvas(16, 16);
    Painter p(&img);
    const QRectF r(0.5, 2.5, 12, 12);
    p.setPen(QPen(on ? kAccentLight : QColor(78, 92, 108), 1));
    p.setBrush(on ? QBrush(vertical(r, kAccent, kAccentDim)) : QBrush(kGroove));
    p.drawRoundedRect(r, 3.5, 3.5);
    if (on) {
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(5.5, 11), QPointF(10, 5.5)}));
    }
    return img;
}

QImage radio(bool on) {
    QImage img = canvas(15, 15);
    Painter p(&img);
    const QPointF c(7.5, 7.5);
    p.setPen(QPen(on ? kAccent : QColor(78, 92, 108), 1.2));
    p.setBrush(kGroove);
    p.drawEllipse(c, 6.6, 6.6);
    if (on) {
        QRadialGradient g(c, 4.5);
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 3.8, 3.8);
    }
    return img;
}

// One step of a step scale: a dark slot, or a lit one.
QImage stepBar(int w, int h, bool on) {
    QImage img = canvas(w, h);
    Painter p(&img);
    const QRectF r(2, 2, w - 4, h - 4);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(kAccent, 50));
        p.drawRoundedRect(QRectF(0, 0, w, h), 4, 4);
        p.setPen(QPen(kAccentLight, 1));
        p.setBrush(vertical(r, kAccentLight, kAccent));
    } else {
        p.setPen(QPen(QColor(56, 66, 79), 1));
        p.setBrush(vertical(r, QColor(44, 52, 62), QColor(34, 40, 48)));
    }
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    return img;
}

// Frame around a colour swatch; its middle stays clear for the colour shape.
QImage swatchFrame() {
    QImage img = canvas(18, 18);
    Painter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(200, 208, 217));
    p.drawRect(0, 0, 17, 17);
    p.setPen(QColor(10, 12, 15));
    p.drawRect(1, 1, 15, 15);
    return img;
}

// ---- fire page pictures ----------------------------------------------------------------------

struct Gun {
    const char* name;
    double length;   // overall length, of 100
    double barrel;   // share of the length in front of the body
    double magazine; // magazine depth
    bool curvedMag;
    bool stock;
};

const std::array<Gun, 7> kGuns = {{
    {"AKM", 96, 0.30, 14, true, true},
    {"M16", 100, 0.34, 12, false, true},
    {"M4", 88, 0.28, 12, false, true},
    {"UMP9", 72, 0.16, 13, false, true},
    {"SCAR-L", 92, 0.30, 12, false, true},
    {"TOMPSON", 86, 0.28, 16, false, true},
    {"UZI", 58, 0.14, 15, false, false},
}};

void drawGun(QPainter& p, const Gun& g, QRectF box, QColor ink) {
    const double scale = box.width() / 100.0;
    const double len = g.length * scale;
    const double x0 = box.center().x() - len / 2, y = box.top() + box.height() * 0.36;
    const double bodyH = 7 * scale * 1.1;
    QPainterPath path;
    const double barrelLen = len * g.barrel;
    const double stockLen = g.stock ? len * 0.24 : 0;
    const double bodyLeft = x0 + stockLen, bodyRight = x0 + len - barrelLen;
    path.addRoundedRect(QRectF(bodyLeft, y, bodyRight - bodyLeft, bodyH), 1.5, 1.5);
    path.addRect(QRectF(bodyRight - 1, y + bodyH * 0.25, barrelLen + 1, bodyH * 0.32));
    if (g.stock) {
        QPainterPath stock;
        stock.moveTo(bodyLeft + 1, y + 1);
        stock.lineTo(x0, y + bodyH * 0.55);
        stock.lineTo(x0, y + bodyH * 1.55);
        stock.lineTo(x0 + 4 * scale, y + bodyH * 1.55);
        stock.lineTo(bodyLeft + 1, y + bodyH);
        stock.closeSubpath();
        path.addPath(stock);
    }
    // grip
    QPainterPath grip;
    const double gx = bodyLeft + (bodyRight - bodyLeft) * 0.22;
    grip.moveTo(gx, y + bodyH - 0.5);
    grip.lineTo(gx - 3 * scale, y + bodyH + 9 * scale);
    grip.lineTo(gx + 2 * scale, y + bodyH + 9 * scale);
    grip.lineTo(gx + 4 * scale, y + bodyH - 0.5);
    grip.closeSubpath();
    path.addPath(grip);
    // magazine
    QPainterPath mag;
    const double mx = bodyLeft + (bodyRight - bodyLeft) * 0.55;
    const double md = g.magazine * scale * 0.8;
    mag.moveTo(mx, y + bodyH - 0.5);
    if (g.curvedMag)
        mag.quadTo(mx + 1 * scale, y + bodyH + md * 0.6, mx + 4 * scale, y + bodyH + md);
    else
        mag.lineTo(mx + 1 * scale, y + bodyH + md);
    mag.lineTo(mx + 5 * scale, y + bodyH + md);
    mag.lineTo(mx + 4.5 * scale, y + bodyH - 0.5);
    mag.closeSubpath();
    path.addPath(mag);
    // sight
    path.addRect(
        QRectF(bodyLeft + (bodyRight - bodyLeft) * 0.4, y - 2 * scale, 8 * scale, 2 * scale));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(path.simplified());
}

QImage gunButton(int index, bool selected) {
    QImage img = canvas(120, 56);
    Painter p(&img);
    const QRectF r(0, 0, 120, 56);
    if (selected)
        card(p, r, 8, QColor(22, 120, 144), QColor(12, 74, 88), kAccent);
    else
        card(p, r, 8, QColor(36, 43, 52), QColor(28, 34, 41), QColor(56, 66, 79));
    const Gun& g = kGuns[std::size_t(index)];
    drawGun(p, g, QRectF(10, 4, 100, 34), selected ? QColor(232, 249, 253) : QColor(128, 140, 154));
    p.setFont(font(11, QFont::Bold, 0.6));
    p.setPen(selected ? Qt::white : kText);
    p.drawText(QRectF(0, 36, 120, 16), Qt::AlignCenter, g.name);
    // mode number in the corner
    p.setFont(font(9, QFont::Bold));
    p.setPen(selected ? kAccentLight : kMuted);
    p.drawText(QRectF(6, 4, 14, 12), Qt::AlignLeft | Qt::AlignTop, QString::number(index + 1));
    return img;
}

// Group marker of the fire parameters: a sight with the group number in it.
QImage gunModeMark(int size, int group) {
    QImage img = canvas(size, size);
    Painter p(&img);
    const QPointF c(size / 2.0, size / 2.0);
    const double r = size / 2.0 - 2;
    QRadialGradient glow(c, r);
    glow.setColorAt(0, withAlpha(kAccent, 60));
    glow.setColorAt(1, withAlpha(kAccent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 2, r - 2);
    p.setPen(QPen(kAccentDim, 1.5));
    p.drawEllipse(c, r * 0.58, r * 0.58);
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap));
    for (int q = 0; q < 4; ++q) {
        const double a = q * std::numbers::pi / 2;
        const QPointF d(std::cos(a), std::sin(a));
        p.drawLine(c + d * (r - 6), c + d * (r + 1));
    }
    p.setPen(Qt::white);
    p.setFont(font(int(size * 0.36), QFont::Bold));
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString::number(group));
    return img;
}

// ---- page pictures ---------------------------------------------------------------------------

QImage panelBase(int w, int h) {
    QImage img = canvas(w, h);
    Painter p(&img);
    card(p, QRectF(0, 0, w, h), 10, QColor(28, 34, 41), QColor(23, 28, 34), kCardEdge);
    return img;
}

// A section card inside a page panel.
void section(QPainter& p, QRectF r) {
    card(p, r, 8, QColor(33, 40, 48), QColor(29, 35, 42), QColor(44, 53, 64));
}

// Groove under a row of step bars: n bars of width w and gap d from (x, y), bar height h.
void scaleGroove(QPainter& p, QPoint at, int n, int w, int h, int d) {
    groove(p, QRectF(at.x() - 4, at.y() - 3, n * (w + d) - d + 8, h + 6), 5);
}

QImage mousePicture(int w, int h);

QImage keyPanel(const Layout& L) {
    QImage img = panelBase(680, 380);
    Painter p(&img);
    const QPoint P = L.at("P1");
    dotGrid(p, QRectF(8, 8, 664, 364), 16, withAlpha(Qt::white, 10));
    // The mouse in the middle, with guide lines to the keys that exist.
    const QRectF mouseBox(255, 34, 170, 312);
    p.drawImage(mouseBox.topLeft(), mousePicture(int(mouseBox.width()), int(mouseBox.height())));
    // Where each key label's line ends: on the button of the mouse that label stands for
    // (label KeyN shows mouse button N). Left and right button, wheel, the DPI button behind it,
    // two side buttons on the left, and the places of the further buttons on the body's edges.
    const std::array<QPointF, 12> anchors = {
        QPointF(300, 92),  // 1 left button
        QPointF(260, 206), // 2 rear side button
        QPointF(272, 250), // 3 left edge, behind the side buttons
        QPointF(382, 96),  // 4 right button
        QPointF(261, 170), // 5 front side button
        QPointF(414, 190), // 6 right edge, front
        QPointF(340, 96),  // 7 wheel
        QPointF(340, 142), // 8 DPI button behind the wheel
        QPointF(406, 250), // 9 right edge, rear
        QPointF(290, 290), // 10 left edge, rear
        QPointF(388, 296), // 11 right edge, far rear
        QPointF(300, 318), // 12 the light strip
    };
    // Layout key N places label kKeySlot[N - 1] (the program's order of the layout keys).
    constexpr std::array<int, 12> kKeySlot = {1, 4, 7, 2, 5, 8, 3, 6, 9, 10, 11, 12};
    auto guide = [&p](QPointF from, QPointF elbow, QPointF to) {
        p.setPen(QPen(withAlpha(kAccentDim, 200), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({from, elbow, to}));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(to, 2.6, 2.6);
        p.setBrush(withAlpha(kAccent, 60));
        p.drawEllipse(to, 5, 5);
        p.setBrush(kAccentDim);
        p.drawEllipse(from, 2, 2);
    };
    for (int n = 1; n <= 12; ++n) {
        if (L("Key" + std::to_string(n) + "_Enable") != 1)
            continue;
        const QRect key(L.at("Key" + std::to_string(n)) - P, QSize(L("Key_Width"), 30));
        const QPointF to = anchors[std::size_t(kKeySlot[std::size_t(n - 1)] - 1)];
        const bool leftColumn = key.center().x() < 340;
        const QPointF from(leftColumn ? key.right() + 6 : key.left() - 6, key.center().y() + 0.5);
        guide(from, QPointF(from.x() + (leftColumn ? 40 : -40), from.y()), to);
    }
    return img;
}

QImage mousePicture(int w, int h) {
    QImage img = canvas(w, h);
    Painter p(&img);
    const double cx = w / 2.0;
    QPainterPath body;
    body.moveTo(cx, 4);
    body.cubicTo(cx + w * 0.46, 4, cx + w * 0.49, h * 0.28, cx + w * 0.46, h * 0.52);
    body.cubicTo(cx + w * 0.43, h * 0.80, cx + w * 0.30, h - 4, cx, h - 4);
    body.cubicTo(cx - w * 0.30, h - 4, cx - w * 0.43, h * 0.80, cx - w * 0.46, h * 0.52);
    body.cubicTo(cx - w * 0.49, h * 0.28, cx - w * 0.46, 4, cx, 4);
    // shadow
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::black, 90));
    p.drawPath(body.translated(0, 4));
    QLinearGradient shade(0, 0, w, h);
    shade.setColorAt(0, QColor(58, 68, 80));
    shade.setColorAt(0.5, QColor(38, 45, 54));
    shade.setColorAt(1, QColor(24, 29, 35));
    p.setBrush(shade);
    p.setPen(QPen(QColor(78, 92, 108), 1.4));
    p.drawPath(body);
    // button split and palm line
    p.setPen(QPen(QColor(16, 19, 23), 2));
    p.drawLine(QPointF(cx, 6), QPointF(cx, h * 0.36));
    QPainterPath palm;
    palm.moveTo(cx - w * 0.47, h * 0.40);
    palm.quadTo(cx, h * 0.33, cx + w * 0.47, h * 0.40);
    p.setBrush(Qt::NoBrush);
    p.drawPath(palm);
    // wheel and CPI button
    p.setPen(QPen(QColor(16, 19, 23), 1));
    p.setBrush(vertical(QRectF(cx - 8, h * 0.13, 16, 40), QColor(70, 82, 96), QColor(30, 36, 43)));
    p.drawRoundedRect(QRectF(cx - 8, h * 0.13, 16, 40), 7, 7);
    p.setPen(QPen(withAlpha(kAccent, 180), 1));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(cx - 5, h * 0.13 + 8 + i * 5), QPointF(cx + 5, h * 0.13 + 8 + i * 5));
    p.setPen(QPen(QColor(16, 19, 23), 1));
    p.setBrush(QColor(48, 57, 68));
    p.drawRoundedRect(QRectF(cx - 6, h * 0.30, 12, 16), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(cx, h * 0.30 + 8), 2, 2);
    // side buttons
    p.setPen(QPen(QColor(16, 19, 23), 1));
    p.setBrush(QColor(52, 61, 73));
    p.drawRoundedRect(QRectF(4, h * 0.42, 8, 26), 3, 3);
    p.drawRoundedRect(QRectF(4, h * 0.42 + 30, 8, 26), 3, 3);
    // light strip on the palm
    QPainterPath strip;
    strip.moveTo(cx - w * 0.28, h * 0.82);
    strip.quadTo(cx, h * 0.92, cx + w * 0.28, h * 0.82);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(kAccent, 60), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
    p.setPen(QPen(kAccent, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
    // emblem
    p.setPen(QPen(withAlpha(kAccent, 150), 1.5));
    const QPointF e(cx, h * 0.62);
    p.drawPolygon(QPolygonF({e + QPointF(0, -12), e + QPointF(10, -4), e + QPointF(6, 10),
                             e + QPointF(-6, 10), e + QPointF(-10, -4)}));
    return img;
}

QImage sensitivityPanel(const Layout& L) {
    QImage img = panelBase(850, 374);
    Painter p(&img);
    const QPoint P = L.at("P2");
    section(p, QRectF(8, 8, 394, 358));
    // The CPI card holds eight levels and the AIM row; the fire keys' card fills the rest.
    section(p, QRectF(410, 8, 432, 242));
    section(p, QRectF(410, 256, 432, 110));
    for (const char* stem :
         {"Mouse_Speed_Lable", "Mouse_Double_Click_Lable", "Mouse_Roller_Speed_Lable",
          "Rating_Setting_Lable", "DPI_Setting_Lable", "Fire_Key_Lable"})
        headingMark(p, L.at(stem) - P);
    for (const char* scale : {"Spd", "DbSpd", "ScrSpd"})
        scaleGroove(p, L.at(scale) - P, 11, 26, 18, L(std::string(scale) + "_D"));
    // CPI level rows that lie on the panel
    for (int n = 1; n <= 8; ++n) {
        const std::string stem = "DPI" + std::to_string(n);
        const QPoint steps = L.at(stem + "_Steps") - P;
        if (steps.y() < 0 || steps.y() > 374)
            continue;
        const QPoint colour = L.at(stem + "_Color") - P;
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(Qt::white, n % 2 ? 6 : 0));
        p.drawRoundedRect(QRectF(colour.x() - 6, colour.y() - 3, 842 - colour.x() - 2, 23), 4, 4);
        if (L("DPI_Orientation") == 1)
            scaleGroove(p, steps, 12, 20, 16, L(stem + "_Steps_D"));
    }
    // fire key rows
    for (int n = 1; n <= 3; ++n) {
        const QPoint cnt = L.at("FK" + std::to_string(n) + "Cnt") - P;
        hline(p, 420, 832, cnt.y() - 7, QColor(44, 53, 64));
    }
    // a divider above the report rates and between the pointer groups
    hline(p, 20, 390, (L.at("Rating_Setting_Lable") - P).y() - 10, QColor(44, 53, 64));
    return img;
}

// A lamp and the curve of its light falling off, 36 x 16 pixels from the top left.
void fadeMark(QPainter& p, QPointF at) {
    QPainterPath curve;
    curve.moveTo(at + QPointF(6, 3));
    curve.cubicTo(at + QPointF(12, 13), at + QPointF(22, 15), at + QPointF(36, 15));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSoft, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curve);
    hline(p, at.x() + 2, at.x() + 36, at.y() + 15.5, withAlpha(kSoft, 90));
    QRadialGradient glow(at + QPointF(5, 3), 6);
    glow.setColorAt(0, kAccentLight);
    glow.setColorAt(1, withAlpha(kAccent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(at + QPointF(5, 3), 6, 6);
    p.setBrush(kAccent);
    p.drawEllipse(at + QPointF(5, 3), 2.2, 2.2);
}

QImage lightingPanel(const Layout& L) {
    QImage img = panelBase(800, 374);
    Painter p(&img);
    const QPoint P = L.at("P3");
    section(p, QRectF(8, 8, 384, 358));
    section(p, QRectF(400, 8, 392, 358));
    for (const char* stem : {"LED_Mode_Lable", "LED_Effect_Setting_Lable", "LED_Color_Lable"})
        headingMark(p, L.at(stem) - P);
    for (int n = 1; n <= 7; ++n) {
        const QPoint r = L.at("LEDMode" + std::to_string(n)) - P;
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(Qt::white, n % 2 ? 7 : 0));
        p.drawRoundedRect(QRectF(18, r.y() - 7, 364, 28), 4, 4);
    }
    const QPoint all = L.at("LED3Control") - P;
    hline(p, 20, 380, all.y() - 16, QColor(44, 53, 64));
    scaleGroove(p, L.at("StepTime") - P, 8, 26, 18, L("StepTime_D"));
    // The fall-time row: its groove, and in front of it a light dying away, which says what the
    // row sets in every language.
    const QPoint fall = L.at("FallTime") - P;
    scaleGroove(p, fall, 10, 26, 18, L("FallTime_D"));
    fadeMark(p, QPointF(fall.x() - 44, fall.y() + 1));
    // the palette swatches' row
    const QPoint swatches = L.at("LEDColor") - P;
    const int step = trvx::kLedSwatchSize + L("LEDColor_D");
    groove(p,
           QRectF(swatches.x() - 6, swatches.y() - 6, 9 * step + trvx::kLedSwatchSize + 12,
                  trvx::kLedSwatchSize + 12),
           6);
    // a light strip, the page's emblem
    const QRectF strip(416, 318, 360, 10);
    QLinearGradient rainbow(strip.topLeft(), strip.topRight());
    const std::array<QColor, 7> hues = {QColor(255, 70, 90),
                                        QColor(255, 160, 40),
                                        QColor(250, 230, 60),
                                        QColor(60, 220, 120),
                                        kAccent,
                                        QColor(70, 110, 255),
                                        QColor(190, 80, 255)};
    for (std::size_t i = 0; i < hues.size(); ++i)
        rainbow.setColorAt(double(i) / (hues.size() - 1), hues[i]);
    p.setPen(Qt::NoPen);
    p.setOpacity(0.22);
    p.setBrush(rainbow);
    p.drawRoundedRect(strip.adjusted(-4, -6, 4, 6), 10, 10);
    p.setOpacity(1);
    p.drawRoundedRect(strip, 5, 5);
    return img;
}

QImage macroPanel(const Layout& L) {
    QImage img = panelBase(850, 374);
    Painter p(&img);
    const QPoint P = L.at("P4");
    for (const char* list : {"PCMacroName", "MseMacroName", "MacroContent"}) {
        const QPoint at = L.at(list) - P;
        const int w = L(std::string(list) + "_W");
        section(p, QRectF(at.x() - 8, 6, w + 16, 362));
        groove(p, QRectF(at.x() - 2, at.y() - 2, w + 4, L(std::string(list) + "_H") + 4), 4);
    }
    for (const char* stem : {"Marco_List_Lable", "Marco_Mouse_List_Lable", "Marco_Content_Lable"})
        headingMark(p, L.at(stem) - P);
    const QPoint box = L.at("DelayTime") - P;
    section(p, QRectF(box.x() - 8, 6, 850 - box.x(), 362));
    return img;
}

QImage updatePanel(const Layout& L) {
    QImage img = panelBase(540, 102);
    Painter p(&img);
    const QPoint P = L.at("P5");
    const QPoint path = L.at("lbl_LoadBin") - P;
    groove(p, QRectF(path.x() - 8, path.y() - 6, 540 - path.x() - 4, 28), 5);
    hline(p, 12, 528, 46, QColor(44, 53, 64));
    // chip symbol at the left of the buttons
    const QRectF chip(26, 60, 26, 26);
    p.setPen(QPen(kAccentDim, 1.5));
    p.setBrush(withAlpha(kAccent, 30));
    p.drawRoundedRect(chip, 4, 4);
    for (int i = 0; i < 4; ++i) {
        const double o = chip.top() + 5 + i * 5.3;
        p.drawLine(QPointF(chip.left() - 5, o), QPointF(chip.left(), o));
        p.drawLine(QPointF(chip.right(), o), QPointF(chip.right() + 5, o));
    }
    return img;
}

// The fire page: its header band carries the page's title (the set's name of the fire mode).
QImage firePanel(const Layout& L, const std::string& title) {
    QImage img = panelBase(720, 650);
    Painter p(&img);
    const QPoint P = L.at("P6");
    // header band with a sight
    QPainterPath head;
    head.addRoundedRect(QRectF(1, 1, 718, 50), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(QRectF(0, 0, 720, 50), QColor(36, 44, 53), QColor(28, 34, 41)));
    p.drawPath(head);
    hline(p, 1, 719, 50, kCardEdge);
    p.setPen(QPen(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(34, 25), 11, 11);
    p.drawLine(QPointF(34, 9), QPointF(34, 17));
    p.drawLine(QPointF(34, 33), QPointF(34, 41));
    p.drawLine(QPointF(18, 25), QPointF(26, 25));
    p.drawLine(QPointF(42, 25), QPointF(50, 25));
    p.setPen(kText);
    p.setFont(font(16, QFont::DemiBold, 0.5));
    const QRectF titleBox(62, 8, 400, 34);
    QRectF used;
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(title), &used);
    p.setPen(QPen(withAlpha(kAccent, 120), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(used.right() + 14, 25), QPointF(used.right() + 160, 25));
    // gun mode column
    const QPoint first = L.at("Fire1") - P;
    const QPoint last = L.at("Fire7") - P;
    section(p, QRectF(first.x() - 10, first.y() - 10, 140, last.y() + 56 + 20 - first.y()));
    // parameter table
    const double tableLeft = (L.at("IsHasLK") - P).x() - 12;
    const int tableBottom = (L.at("FireCnt3") - P).y() - 19 + 62 + 12;
    section(p, QRectF(tableLeft, first.y() - 10, 708 - tableLeft, tableBottom - first.y() + 10));
    const int headY = (L.at("Gun_Marco_Fire_Count_Lable") - P).y();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 29, 35));
    p.drawRoundedRect(QRectF(tableLeft + 8, headY - 6, 708 - tableLeft - 16, 30), 4, 4);
    for (int g = 1; g <= 3; ++g) {
        const QPoint cnt = L.at("FireCnt" + std::to_string(g)) - P;
        const QRectF row(tableLeft + 8, cnt.y() - 19, 708 - tableLeft - 16, 62);
        p.setBrush(withAlpha(Qt::white, g % 2 ? 7 : 3));
        p.drawRoundedRect(row, 6, 6);
        // the cell of the group marker
        p.setPen(QPen(withAlpha(kAccentDim, 120), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(row.left() + 4, row.top() + 2, 62 - 4, 58), 6, 6);
        p.setPen(Qt::NoPen);
    }
    hline(p, 12, 708, (L.at("FireConfirm") - P).y() - 16, QColor(44, 53, 64));
    return img;
}

// Macro insert box background: the kind list on top, the kind's own fields below, buttons at
// the bottom. Coordinates in the layout are the box's; the picture lies 10 pixels inside it.
enum class InsertKind { Delay, Key, Move };

QImage insertBase(const Layout& L, InsertKind kind) {
    QImage img = canvas(207, 162);
    Painter p(&img);
    card(p, QRectF(0, 0, 207, 162), 8, QColor(33, 40, 48), QColor(27, 33, 40), QColor(50, 60, 72));
    const QPoint off(10, 10);
    const QPoint list = L.at("InsertList") - off;
    groove(p, QRectF(list.x() - 4, list.y() - 4, 207 - 2 * (list.x() - 4), 30), 5);
    p.setPen(Qt::NoPen);
    switch (kind) {
    case InsertKind::Delay: {
        const QPoint e = L.at("InsertDelayEdit") - off;
        p.setBrush(withAlpha(Qt::white, 8));
        p.drawRoundedRect(QRectF(8, e.y() - 8, 191, 38), 6, 6);
        // clock watermark
        p.setPen(QPen(withAlpha(kAccent, 40), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(103, 46), 9, 9);
        p.drawLine(QPointF(103, 46), QPointF(103, 40));
        p.drawLine(QPointF(103, 46), QPointF(108, 48));
        break;
    }
    case InsertKind::Key: {
        const QPoint r = L.at("InsertRecDelay") - off;
        const int h = L("InsertRecDelay_H");
        for (int i = 0; i < 3; ++i) {
            p.setBrush(withAlpha(Qt::white, i % 2 ? 0 : 8));
            p.drawRoundedRect(QRectF(8, r.y() + i * h - 4, 191, h), 4, 4);
        }
        break;
    }
    case InsertKind::Move: {
        const QPoint a = L.at("InsertAxisEdit") - off;
        p.setBrush(withAlpha(Qt::white, 8));
        p.drawRoundedRect(QRectF(8, a.y() - 8, 191, 40), 6, 6);
        // arrows watermark
        p.setPen(QPen(withAlpha(kAccent, 45), 2, Qt::SolidLine, Qt::RoundCap));
        const QPointF c(103, 92);
        p.drawLine(c + QPointF(-12, 0), c + QPointF(12, 0));
        p.drawLine(c + QPointF(0, -12), c + QPointF(0, 12));
        break;
    }
    }
    return img;
}

// Background of the small dialogs (opaque: the picture has no alpha channel).
QImage messageBackground() {
    QImage img = canvas(530, 200, kBase);
    Painter p(&img);
    p.fillRect(QRect(0, 0, 530, 200),
               vertical(QRectF(0, 0, 530, 200), QColor(29, 35, 42), QColor(22, 27, 33)));
    p.fillRect(QRect(0, 0, 530, 36),
               vertical(QRectF(0, 0, 530, 36), QColor(36, 44, 53), QColor(29, 35, 42)));
    hline(p, 0, 530, 36, kCardEdge);
    p.fillRect(QRect(0, 0, 4, 36), kAccent);
    p.fillRect(QRect(0, 152, 530, 48), QColor(19, 23, 28));
    hline(p, 0, 530, 151, kLine);
    p.setPen(QPen(kCardEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(0, 0, 529, 199);
    return img;
}

// The window background: title band, side menu, content well, rounded frame.
QImage background(const Layout& L) {
    const int W = 1030, H = 660;
    QImage img = canvas(W, H, kCardEdge);
    {
        Painter p(&img);
        QPainterPath frame;
        frame.addRoundedRect(QRectF(1, 1, W - 2, H - 2), 16, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(QRectF(0, 0, W, H), kBase, kBaseLow));
        p.drawPath(frame);
        p.setClipPath(frame);
        // title band
        const int titleH = 64;
        p.fillRect(QRect(0, 0, W, titleH),
                   vertical(QRectF(0, 0, W, titleH), QColor(30, 36, 44), QColor(20, 24, 30)));
        hline(p, 0, W, titleH - 1, kLine);
        QLinearGradient glow(0, 0, W, 0);
        glow.setColorAt(0, withAlpha(kAccent, 0));
        glow.setColorAt(0.15, withAlpha(kAccent, 200));
        glow.setColorAt(0.5, withAlpha(kAccent, 40));
        glow.setColorAt(1, withAlpha(kAccent, 0));
        p.fillRect(QRect(0, titleH - 1, W, 1), glow);
        // emblem and name
        const QPointF e(40, 32);
        p.setPen(QPen(kAccent, 2));
        p.setBrush(withAlpha(kAccent, 40));
        p.drawPolygon(QPolygonF({e + QPointF(0, -14), e + QPointF(12, -5), e + QPointF(7, 12),
                                 e + QPointF(-7, 12), e + QPointF(-12, -5)}));
        p.setPen(QPen(kAccentLight, 1.5));
        p.drawLine(e + QPointF(0, -8), e + QPointF(0, 4));
        p.setFont(font(20, QFont::Bold, 1.5));
        p.setPen(kText);
        p.drawText(QRectF(62, 12, 300, 26), Qt::AlignLeft | Qt::AlignVCenter, "TRVX4410B");
        p.setFont(font(10, QFont::DemiBold, 3.2));
        p.setPen(kAccent);
        p.drawText(QRectF(63, 37, 300, 14), Qt::AlignLeft | Qt::AlignVCenter, "GAMING MOUSE");
        // side menu strip
        const int stripRight = 144;
        p.fillRect(QRect(0, titleH, stripRight, H - titleH),
                   vertical(QRectF(0, titleH, stripRight, H - titleH), kStrip, QColor(14, 17, 21)));
        p.fillRect(QRect(stripRight, titleH, 1, H - titleH), kLine);
        // group separators between profiles, pages and the profile file buttons
        const int profilesEnd = L("Btn_B3_Y") + 30, pagesStart = L("Btn_B4_Y");
        const int filesStart = L("Btn_B6_Y");
        hline(p, 20, stripRight - 20, (profilesEnd + pagesStart) / 2, kLine);
        hline(p, 20, stripRight - 20, filesStart - 18, kLine);
        // content well
        const QRectF well(152, 76, W - 152 - 12, H - 76 - 8);
        p.setPen(QPen(QColor(30, 37, 45), 1));
        p.setBrush(kWell);
        p.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
        dotGrid(p, well.adjusted(4, 4, -4, -4), 20, withAlpha(Qt::white, 9));
        // The well's footer, where the default button sits: the pages' panels stand centred
        // in the space above it.
        {
            const double footerTop = L("Btn_A2_Y") - 12;
            QPainterPath wellPath;
            wellPath.addRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
            QPainterPath footer;
            footer.addRect(QRectF(well.left(), footerTop, well.width(), well.bottom() - footerTop));
            p.setPen(Qt::NoPen);
            p.setBrush(
                vertical(QRectF(well.left(), footerTop, well.width(), well.bottom() - footerTop),
                         QColor(24, 29, 36), QColor(19, 23, 28)));
            p.drawPath(wellPath.intersected(footer));
            hline(p, well.left() + 1, well.right() - 1, footerTop, QColor(36, 44, 54));
        }
        // frame edge
        p.setClipping(false);
        p.setPen(QPen(kCardEdge, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(frame);
    }
    // Outside the frame: exactly the key colour (an unsmoothed shape, so no pixel mixes with it).
    QImage mask(W, H, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter m(&mask);
        QPainterPath frame;
        frame.addRoundedRect(QRectF(0, 0, W, H), 17, 17);
        m.fillPath(frame, Qt::white);
    }
    for (int y = 0; y < H; ++y) {
        const uchar* inside = mask.constScanLine(y);
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < W; ++x) {
            if (!inside[x])
                line[x] = kKey.rgb();
            else if (qRed(line[x]) == 128 && qGreen(line[x]) == 0 && qBlue(line[x]) == 0)
                line[x] = qRgb(129, 0, 0); // never the key colour inside the frame
        }
    }
    return img;
}

// ---- script line icons -----------------------------------------------------------------------
//
// The macro script lists show an icon per line, chosen by the line's type digit: entry n of one
// strip of 20 x 20 icons (n at x = 20 n). The lists make each icon's top-left colour see-through
// and stretch the icon to the row height, so every icon stands on a flat background of the
// window's key colour; a glyph's soft edges keep their coverage as alpha, laid over the list's
// own colour when drawn, so no key colour fringes them. Each glyph sits on a small dark chip,
// which keeps the accent readable on the selected row's colour too.

constexpr int kIcon = 20;

void iconChip(QPainter& p) {
    const QRectF r(1.5, 1.5, 17, 17);
    p.setPen(QPen(QColor(60, 71, 85), 1));
    p.setBrush(vertical(r, QColor(40, 48, 58), QColor(28, 34, 41)));
    p.drawRoundedRect(r, 4, 4);
}

void triangle(QPainter& p, QPointF a, QPointF b, QPointF c, QColor ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({a, b, c}));
}

// Press: an arrow down onto the key's face; release: an arrow up away from it.
void keyIcon(QPainter& p, bool press) {
    p.setPen(Qt::NoPen);
    p.setBrush(kSoft);
    p.drawRoundedRect(QRectF(5, 14, 10, 2), 1, 1);
    const QColor ink = press ? kAccent : kText;
    if (press) {
        p.setBrush(ink);
        p.drawRect(QRectF(8.8, 4, 2.4, 4.5));
        triangle(p, {5.5, 8}, {14.5, 8}, {10, 12.5}, ink);
    } else {
        p.setBrush(ink);
        p.drawRect(QRectF(8.8, 8, 2.4, 4.5));
        triangle(p, {5.5, 8.5}, {14.5, 8.5}, {10, 4}, ink);
    }
}

// Delay: a stopwatch.
void delayIcon(QPainter& p) {
    const QPointF c(10, 11);
    p.setPen(QPen(kSoft, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 5.3, 5.3);
    p.setPen(Qt::NoPen);
    p.setBrush(kSoft);
    p.drawRoundedRect(QRectF(8.5, 3.2, 3, 1.6), 0.6, 0.6);
    p.setPen(QPen(kAccent, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(10, 7.4));
    p.drawLine(c, QPointF(12.6, 11));
}

// Move: arrows to the four sides.
void moveIcon(QPainter& p) {
    p.setPen(QPen(kAccent, 1.5));
    p.drawLine(QPointF(10, 5.5), QPointF(10, 14.5));
    p.drawLine(QPointF(5.5, 10), QPointF(14.5, 10));
    triangle(p, {10, 3.2}, {7.6, 6.2}, {12.4, 6.2}, kAccent);
    triangle(p, {10, 16.8}, {7.6, 13.8}, {12.4, 13.8}, kAccent);
    triangle(p, {3.2, 10}, {6.2, 7.6}, {6.2, 12.4}, kAccent);
    triangle(p, {16.8, 10}, {13.8, 7.6}, {13.8, 12.4}, kAccent);
}

// Loop start and end: a circling arrow around a play mark or a stop mark.
void loopIcon(QPainter& p, bool start) {
    const QColor ring = start ? kAccent : kSoft;
    QPainterPath arc;
    const QRectF circle(4.6, 4.6, 10.8, 10.8);
    arc.arcMoveTo(circle, 75);
    arc.arcTo(circle, 75, 285);
    p.setPen(QPen(ring, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    triangle(p, {12.8, 9.2}, {18.2, 9.2}, {15.5, 5.8}, ring);
    if (start) {
        triangle(p, {8.6, 7.6}, {8.6, 12.4}, {12.4, 10}, kText);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRect(QRectF(8, 8, 4, 4));
    }
}

// A digit that no line the program writes carries: a plain marker.
void otherIcon(QPainter& p) {
    p.setPen(QPen(kMuted, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(
        QPolygonF({QPointF(10, 5.5), QPointF(14.5, 10), QPointF(10, 14.5), QPointF(5.5, 10)}));
}

QImage scriptIcon(int digit) {
    QImage img = canvas(kIcon, kIcon);
    {
        Painter p(&img);
        iconChip(p);
        switch (digit) {
        case 0:
            delayIcon(p);
            break;
        case 1:
        case 2:
            keyIcon(p, digit == 1);
            break;
        case 3:
            moveIcon(p);
            break;
        case 7:
        case 8:
            loopIcon(p, digit == 7);
            break;
        default:
            otherIcon(p);
            break;
        }
    }
    // Untouched pixels become the flat key; the corner must be one of them.
    for (int y = 0; y < kIcon; ++y)
        for (int x = 0; x < kIcon; ++x)
            if (qAlpha(img.pixel(x, y)) == 0)
                img.setPixelColor(x, y, kKey);
    if (img.pixelColor(0, 0) != kKey) {
        std::fprintf(stderr, "gen_skin_art: script icon %d covers its key corner\n", digit);
        std::exit(1);
    }
    return img;
}

// Entries 0 to 9, one for every digit a line can start with.
QImage scriptIcons() {
    QImage strip = canvas(10 * kIcon, kIcon);
    Painter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int digit = 0; digit < 10; ++digit)
        p.drawImage(digit * kIcon, 0, scriptIcon(digit));
    return strip;
}

// ---- busy spinner GIF ------------------------------------------------------------------------

class GifWriter {
public:
    void header(int w, int h, const std::array<std::array<std::uint8_t, 3>, 256>& palette) {
        put("GIF89a");
        word(w);
        word(h);
        out_.push_back(0xF7); // global table, 8-bit colour resolution, 256 entries
        out_.push_back(0);    // background index
        out_.push_back(0);    // aspect ratio
        for (const auto& c : palette)
            out_.insert(out_.end(), c.begin(), c.end());
        // loop forever
        out_.push_back(0x21);
        out_.push_back(0xFF);
        out_.push_back(11);
        put("NETSCAPE2.0");
        out_.push_back(3);
        out_.push_back(1);
        word(0);
        out_.push_back(0);
    }

    void frame(int w, int h, const std::vector<std::uint8_t>& pixels, int delayCs,
               int transparent) {
        out_.push_back(0x21);
        out_.push_back(0xF9);
        out_.push_back(4);
        out_.push_back(static_cast<std::uint8_t>((1 << 2) | 1)); // leave in place, transparent
        word(delayCs);
        out_.push_back(static_cast<std::uint8_t>(transparent));
        out_.push_back(0);
        out_.push_back(0x2C);
        word(0);
        word(0);
        word(w);
        word(h);
        out_.push_back(0); // no local table, not interlaced
        const int minCode = 8;
        out_.push_back(minCode);
        const std::vector<std::uint8_t> data = lzw(pixels, minCode);
        for (std::size_t i = 0; i < data.size(); i += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - i);
            out_.push_back(static_cast<std::uint8_t>(n));
            out_.insert(out_.end(), data.begin() + std::ptrdiff_t(i),
                        data.begin() + std::ptrdiff_t(i + n));
        }
        out_.push_back(0);
    }

    const std::vector<std::uint8_t>& finish() {
        out_.push_back(0x3B);
        return out_;
    }

private:
    void put(const char* s) {
        for (; *s; ++s)
            out_.push_back(static_cast<std::uint8_t>(*s));
    }
    void word(int v) {
        out_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out_.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }

    // Variable-length LZW as GIF wants it: codes packed from the low bit, a clear code first
    // and whenever the table fills, an end code last.
    static std::vector<std::uint8_t> lzw(const std::vector<std::uint8_t>& pixels, int minCode) {
        const int clear = 1 << minCode, end = clear + 1;
        std::vector<std::uint8_t> bytes;
        std::uint32_t buffer = 0;
        int bits = 0;
        int codeSize = minCode + 1;
        auto putCode = [&](int code) {
            buffer |= static_cast<std::uint32_t>(code) << bits;
            bits += codeSize;
            while (bits >= 8) {
                bytes.push_back(static_cast<std::uint8_t>(buffer & 0xFF));
                buffer >>= 8;
                bits -= 8;
            }
        };
        std::map<std::uint32_t, int> table; // (prefix << 8 | byte) -> code
        int next = end + 1;
        putCode(clear);
        int prefix = -1;
        for (std::uint8_t px : pixels) {
            if (prefix < 0) {
                prefix = px;
                continue;
            }
            const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | px;
            const auto it = table.find(key);
            if (it != table.end()) {
                prefix = it->second;
                continue;
            }
            putCode(prefix);
            if (next < 4096) {
                table[key] = next++;
                // The decoder grows its code size one code later than the table does here.
                if (next > (1 << codeSize) && codeSize < 12)
                    ++codeSize;
            } else {
                putCode(clear);
                table.clear();
                next = end + 1;
                codeSize = minCode + 1;
            }
            prefix = px;
        }
        if (prefix >= 0)
            putCode(prefix);
        putCode(end);
        if (bits > 0)
            bytes.push_back(static_cast<std::uint8_t>(buffer & 0xFF));
        return bytes;
    }

    std::vector<std::uint8_t> out_;
};

// Twelve bars in a ring; the bright one steps clockwise one bar per frame and the others fade
// behind it. White (index 30) is the see-through ground.
std::vector<std::uint8_t> spinnerGif() {
    const int W = 200, H = 192, kBars = 12, kWhite = 30;
    std::array<std::array<std::uint8_t, 3>, 256> palette{};
    for (int s = 0; s < kBars; ++s) {
        const double t = std::pow(double(s) / (kBars - 1), 0.8);
        auto mix = [t](int a, int b) {
            return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
        };
        palette[std::size_t(s)] = {mix(kAccentLight.red(), 52), mix(kAccentLight.green(), 60),
                                   mix(kAccentLight.blue(), 70)};
    }
    palette[kWhite] = {255, 255, 255};
    GifWriter gif;
    gif.header(W, H, palette);
    const double cx = W / 2.0 - 0.5, cy = H / 2.0 - 0.5;
    const double inner = 28, outer = 58, halfWidth = 6.5;
    for (int f = 0; f < kBars; ++f) {
        std::vector<std::uint8_t> pixels(std::size_t(W) * H, kWhite);
        for (int b = 0; b < kBars; ++b) {
            const double a = -std::numbers::pi / 2 + b * 2 * std::numbers::pi / kBars;
            const double dx = std::cos(a), dy = std::sin(a);
            const int shade = ((f - b) % kBars + kBars) % kBars;
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x) {
                    const double px = x - cx, py = y - cy;
                    const double along = px * dx + py * dy;
                    const double across = -px * dy + py * dx;
                    // a capsule from `inner` to `outer`
                    const double t = std::clamp(along, inner, outer);
                    const double d = std::hypot(along - t, across);
                    if (d <= halfWidth)
                        pixels[std::size_t(y) * W + x] = static_cast<std::uint8_t>(shade);
                }
        }
        gif.frame(W, H, pixels, 5, kWhite);
    }
    return gif.finish();
}

// ---- output ----------------------------------------------------------------------------------

bool g_failed = false;

void save(const fs::path& dir, const std::string& name, const QImage& img,
          PngKind kind = PngKind::Rgba, bool interlaced = false) {
    if (!writePng(dir / (name + ".png"), img, kind, interlaced)) {
        std::fprintf(stderr, "gen_skin_art: cannot write %s\n", name.c_str());
        g_failed = true;
    }
}

void saveStates(const fs::path& dir, const std::string& stem,
                const std::function<QImage(State)>& draw) {
    save(dir, stem + "_01", draw(State::Normal));
    save(dir, stem + "_02", draw(State::Hover));
    save(dir, stem + "_03", draw(State::Pressed));
}

void languageSet(const fs::path& dir, int n, const Layout& L, const fs::path& captions) {
    // Built in steps: GCC 12 at -O3 warns falsely on "L" + std::to_string(n) + "_".
    std::string s = "L";
    s += std::to_string(n);
    s += '_';
    save(dir, s + "BackGround", background(L), PngKind::Rgba, true);
    save(dir, s + "Back1", keyPanel(L), PngKind::Rgba, true);
    save(dir, s + "Back2", sensitivityPanel(L));
    save(dir, s + "Back3", lightingPanel(L));
    save(dir, s + "Back4", macroPanel(L));
    save(dir, s + "Back5", firePanel(L, CaptionOf(captions, "Str208")));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: gen_skin_art OUTPUT_DIR ORG1.ini ORG2.ini ORG3.ini "
                             "lang1.txt lang2.txt lang3.txt\n");
        return 2;
    }
    QGuiApplication app(argc, argv); // fonts for the few words the art carries
    const fs::path dir = argv[1];
    std::error_code ec;
    fs::create_directories(dir, ec);
    const Layout set1 = Layout::Read(argv[2]);
    const Layout set2 = Layout::Read(argv[3]);
    const Layout set3 = Layout::Read(argv[4]);

    languageSet(dir, 1, set1, argv[5]);
    languageSet(dir, 2, set2, argv[6]);
    languageSet(dir, 3, set3, argv[7]);

    saveStates(dir, "BtnS", [](State s) { return pushButton(100, 30, s, 6); });
    saveStates(dir, "SetS", tabButton);
    saveStates(dir, "KeyS", keyButton);
    saveStates(dir, "ExitS", exitButton);
    saveStates(dir, "MiniS", minimiseButton);
    saveStates(dir, "WebS", webButton);
    saveStates(dir, "MacroS", [](State s) { return pushButton(110, 27, s, 5); });
    saveStates(dir, "MacroBtnS", [](State s) { return pushButton(44, 27, s, 5); });
    save(dir, "CbS_D", checkBox(false));
    save(dir, "CbS_E", checkBox(true));
    save(dir, "RdS_D", radio(false));
    save(dir, "RdS_E", radio(true));
    save(dir, "Bar1_D", stepBar(26, 18, false));
    save(dir, "Bar1_E", stepBar(26, 18, true));
    save(dir, "Bar2_D", stepBar(20, 16, false));
    save(dir, "Bar2_E", stepBar(20, 16, true));
    save(dir, "Col_F", swatchFrame());
    for (int g = 0; g < 7; ++g) {
        save(dir, "Gun" + std::to_string(g + 1) + "_01", gunButton(g, false));
        save(dir, "Gun" + std::to_string(g + 1) + "_02", gunButton(g, true));
    }
    // Mode 6 marks its two parameter groups with pictures 1 and 2, mode 7 its three with 3 to 5.
    save(dir, "GunMode1", gunModeMark(42, 1));
    save(dir, "GunMode2", gunModeMark(52, 2));
    save(dir, "GunMode3", gunModeMark(42, 1));
    save(dir, "GunMode4", gunModeMark(52, 2));
    save(dir, "GunMode5", gunModeMark(62, 3));
    save(dir, "InsertDelayBase", insertBase(set1, InsertKind::Delay));
    save(dir, "InsertKeyBase", insertBase(set1, InsertKind::Key));
    save(dir, "InsertXYBase", insertBase(set1, InsertKind::Move));
    save(dir, "Update", updatePanel(set1));
    save(dir, "Msg", messageBackground(), PngKind::Rgb);
    save(dir, "ImageList1", scriptIcons());

    const std::vector<std::uint8_t> gif = spinnerGif();
    std::ofstream out(dir / "WaitGif.gif", std::ios::binary);
    out.write(reinterpret_cast<const char*>(gif.data()), std::streamsize(gif.size()));
    if (!out) {
        std::fprintf(stderr, "gen_skin_art: cannot write WaitGif.gif\n");
        g_failed = true;
    }
    return g_failed ? 1 : 0;
}
