// Renders the controls, each in the states the windows show, to PNG files for review.
//
//   control_gallery OUTPUT_DIR
//
// Runs on the offscreen platform unless another is asked for. Each family of controls has one
// function below that places its controls on a sheet and saves it; a new family adds its
// function to kFamilies.

#include "controls/skinned/ui/BorderlessGroupBox.h"
#include "controls/skinned/ui/BorderlessPanel.h"
#include "controls/skinned/ui/GroupBox.h"
#include "controls/skinned/ui/RectShape.h"
#include "controls/wide/ui/GifAnimator.h"
#include "controls/wide/ui/UniComboBox.h"
#include "controls/wide/ui/UniEdit.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace trvx;

class Gallery {
public:
    explicit Gallery(QDir dir) : dir_(std::move(dir)) {}

    // A backdrop to place controls on.
    std::unique_ptr<QWidget> sheet(int width, int height, QColor color = QColor(0xE8, 0xE8, 0xE8)) {
        auto w = std::make_unique<QWidget>();
        QPalette p = w->palette();
        p.setColor(QPalette::Window, color);
        w->setPalette(p);
        w->setAutoFillBackground(true);
        w->resize(width, height);
        w->setAttribute(Qt::WA_DontShowOnScreen);
        return w;
    }

    // Saves a picture of the widget and its children as NAME.png.
    void save(const QString& name, QWidget& widget) {
        // Shown once its controls are placed, so that they show with it.
        widget.show();
        QApplication::processEvents();
        const QString path = dir_.filePath(name + ".png");
        if (widget.grab().save(path)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "control_gallery: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }

    int failures = 0;

private:
    QDir dir_;
};

// A caption for a state on a sheet.
void note(QWidget& sheet, int x, int y, const QString& text) {
    auto* l = new TUniLabel(&sheet);
    l->move(x, y);
    l->SetCaption(text.toStdU16String());
}

QImage checkerPicture(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    for (int y = 0; y < height; y += 10)
        for (int x = 0; x < width; x += 10)
            p.fillRect(x, y, 10, 10,
                       ((x + y) / 10) % 2 ? QColor(0x30, 0x50, 0x80) : QColor(0x50, 0x80, 0xB0));
    return img;
}

// --- A small animated GIF, written with literal LZW codes (one code per pixel). ---

void putWord(std::vector<std::uint8_t>& out, int v) {
    out.push_back(std::uint8_t(v & 0xFF));
    out.push_back(std::uint8_t(v >> 8));
}

std::vector<std::uint8_t> literalLzw(const std::vector<std::uint8_t>& pixels) {
    // Code size 8: clear 256, end 257, 9-bit codes; a clear every 250 codes keeps them 9 bits.
    std::vector<std::uint8_t> codes;
    std::uint32_t acc = 0;
    int bits = 0;
    auto put = [&](int code) {
        acc |= std::uint32_t(code) << bits;
        bits += 9;
        while (bits >= 8) {
            codes.push_back(std::uint8_t(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (i % 250 == 0)
            put(256);
        put(pixels[i]);
    }
    put(257);
    if (bits > 0)
        codes.push_back(std::uint8_t(acc & 0xFF));
    std::vector<std::uint8_t> out{8};
    for (std::size_t i = 0; i < codes.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, codes.size() - i);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), codes.begin() + std::ptrdiff_t(i),
                   codes.begin() + std::ptrdiff_t(i + n));
    }
    out.push_back(0);
    return out;
}

// Eight frames of a ring of dots, one lit after the other, on a see-through black.
std::vector<std::uint8_t> busyGif() {
    constexpr int kSize = 40;
    constexpr int kFrames = 8;
    std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a'};
    putWord(gif, kSize);
    putWord(gif, kSize);
    gif.insert(gif.end(), {0x81, 0, 0}); // global table of 4 colours
    gif.insert(gif.end(), {0, 0, 0, 0x60, 0x60, 0x60, 0xFF, 0xC0, 0x20, 0xFF, 0xFF, 0xFF});
    gif.insert(gif.end(), {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3,
                           1, 0, 0, 0});
    for (int f = 0; f < kFrames; ++f) {
        std::vector<std::uint8_t> pixels(kSize * kSize, 0);
        for (int d = 0; d < kFrames; ++d) {
            const double a = d * 2 * 3.14159265 / kFrames;
            const int cx = int(kSize / 2 + 13 * std::cos(a));
            const int cy = int(kSize / 2 + 13 * std::sin(a));
            for (int y = -3; y <= 3; ++y)
                for (int x = -3; x <= 3; ++x)
                    if (x * x + y * y <= 9)
                        pixels[std::size_t((cy + y) * kSize + cx + x)] = d == f ? 2 : 1;
        }
        gif.insert(gif.end(), {0x21, 0xF9, 4, 0x05, 5, 0, 0, 0}); // leave, 50 ms, key index 0
        gif.push_back(0x2C);
        putWord(gif, 0);
        putWord(gif, 0);
        putWord(gif, kSize);
        putWord(gif, kSize);
        gif.push_back(0);
        const auto data = literalLzw(pixels);
        gif.insert(gif.end(), data.begin(), data.end());
    }
    gif.push_back(0x3B);
    return gif;
}

// --- Families ---

void wideLabels(Gallery& g) {
    auto sheet = g.sheet(420, 150, QColor(0x20, 0x20, 0x28));
    auto label = [&](int x, int y, const std::u16string& text) {
        auto* l = new TUniLabel(sheet.get());
        l->move(x, y);
        l->SetFontColor(Qt::white);
        l->SetCaption(text);
        return l;
    };
    label(10, 10, u"Normal label \u4FDD\u5B58 \u00E9");
    label(10, 35, u"Disabled label")->setEnabled(false);
    auto* centred = label(10, 60, u"tlCenter, taCenter, opaque");
    centred->SetAutoSize(false);
    centred->setGeometry(10, 60, 200, 40);
    centred->SetLayout(TTextLayout::tlCenter);
    centred->SetAlignment(TAlignment::taCenter);
    centred->SetTransparent(false);
    centred->SetColor(QColor(0x80, 0, 0));
    auto* bottom = label(220, 60, u"tlBottom, right");
    bottom->SetAutoSize(false);
    bottom->setGeometry(220, 60, 190, 40);
    bottom->SetLayout(TTextLayout::tlBottom);
    bottom->SetAlignment(TAlignment::taRightJustify);
    bottom->SetTransparent(false);
    bottom->SetColor(QColor(0x30, 0x30, 0x60));
    label(10, 115, u"&Accelerator && ampersand");
    g.save("wide_label", *sheet);
}

void wideEdits(Gallery& g) {
    auto sheet = g.sheet(420, 260);
    auto* edit = new TUniEdit(sheet.get());
    edit->setGeometry(10, 10, 180, 24);
    edit->SetText(u"\u5B8F Macro 1");
    auto* password = new TUniEdit(sheet.get());
    password->setGeometry(10, 40, 180, 24);
    password->SetPasswordChar(u'*');
    password->SetText(u"secret");
    auto* disabled = new TUniEdit(sheet.get());
    disabled->setGeometry(10, 70, 180, 24);
    disabled->SetText(u"disabled");
    disabled->setEnabled(false);

    auto* owner = new TUniListBox(sheet.get());
    owner->setGeometry(200, 10, 210, 120);
    owner->SetItemHeight(28);
    for (const auto* s : {u"Macro 1", u"\u5B8F 2", u"Macro 3", u"Macro 4"})
        owner->Items().Add(s);
    owner->OnDrawItem = [owner](QPainter& p, int index, const QRect& r, bool selected) {
        p.fillRect(r, selected ? QColor(0x20, 0x60, 0xC0) : QColor(0x28, 0x28, 0x30));
        p.setPen(Qt::white);
        p.drawText(r.adjusted(8, 0, 0, 0), Qt::AlignVCenter,
                   QString::fromStdU16String(owner->Items().Get(index)));
    };
    owner->SetItemIndex(1);
    auto* builtIn = new TUniListBox(sheet.get());
    builtIn->setGeometry(200, 140, 210, 110);
    builtIn->SetItemHeight(20);
    for (const auto* s : {u"Built-in drawing", u"Item 2", u"Item 3"})
        builtIn->Items().Add(s);
    builtIn->SetItemIndex(0);

    auto* combo = new TUniComboBox(sheet.get());
    combo->setGeometry(10, 110, 180, 24);
    for (const auto* s : {u"Delay", u"Key down", u"Key up"})
        combo->Items().Add(s);
    combo->SetItemIndex(1);
    auto* kept = new TUniComboBox(sheet.get());
    kept->setGeometry(10, 140, 180, 24);
    kept->Items().Add(u"x");
    kept->SetItemIndex(0);
    kept->Items().Clear(); // the text stays
    g.save("wide_edit_list_combo", *sheet);
}

void gifAnimator(Gallery& g) {
    auto sheet = g.sheet(300, 100, QColor(0x10, 0x10, 0x10));
    auto* plain = new TAnimGIFAnimator(sheet.get());
    plain->move(10, 10);
    if (auto error = plain->LoadImage(busyGif())) {
        std::fprintf(stderr, "control_gallery: GIF: %s\n", error->c_str());
        ++g.failures;
        return;
    }
    auto* stretched = new TAnimGIFAnimator(sheet.get());
    stretched->LoadImage(busyGif());
    stretched->SetAutoSize(false);
    stretched->setGeometry(60, 10, 80, 80);
    stretched->SetStretch(true);
    auto* centred = new TAnimGIFAnimator(sheet.get());
    centred->LoadImage(busyGif());
    centred->SetAutoSize(false);
    centred->setGeometry(150, 10, 80, 80);
    centred->SetCenter(true);
    for (int f : {0, 3}) {
        for (TAnimGIFAnimator* a : {plain, stretched, centred})
            a->SetFrameIndex(f);
        g.save(QString("gif_animator_frame%1").arg(f), *sheet);
    }
}

void skinnedGroupBoxes(Gallery& g) {
    auto sheet = g.sheet(620, 150);
    int x = 10;
    for (SkinUIStyle look : {SkinUIStyle::WinXP, SkinUIStyle::DeepBlue}) {
        auto* box = new SkinGroupBox(sheet.get());
        box->move(x, 10);
        box->setUIStyle(look);
        box->setCaption(look == SkinUIStyle::WinXP ? "Combo Key (WinXP)" : "DeepBlue");
        x += 200;
    }
    auto* disabled = new SkinGroupBox(sheet.get());
    disabled->move(x, 10);
    disabled->setUIStyle(SkinUIStyle::WinXP);
    disabled->setCaption("Disabled");
    disabled->setEnabled(false);
    auto* empty = new SkinGroupBox(sheet.get());
    empty->setGeometry(10, 120, 150, 25);
    empty->setUIStyle(SkinUIStyle::WinXP);
    g.save("skin_group_box", *sheet);

    auto picture = g.sheet(420, 120);
    QPalette p = picture->palette();
    p.setBrush(QPalette::Window, QBrush(checkerPicture(420, 120)));
    picture->setPalette(p);
    auto* transparent = new SkinGroupBox(picture.get());
    transparent->move(10, 5);
    transparent->setUIStyle(SkinUIStyle::WinXP);
    transparent->setTransparent(true);
    transparent->setCaption("Transparent");
    auto* tiled = new SkinImagePanel(picture.get());
    tiled->setGeometry(210, 5, 200, 105);
    QImage tile(12, 12, QImage::Format_RGB32);
    tile.fill(QColor(0xF0, 0xE0, 0xA0));
    QPainter(&tile).fillRect(0, 0, 6, 6, QColor(0xC0, 0x60, 0x20));
    tiled->setPicture(tile);
    tiled->setDrawStyle(SkinDrawStyle::skTile);
    tiled->setText("tiled panel");
    g.save("skin_panel", *picture);
}

void borderlessPanels(Gallery& g) {
    auto sheet = g.sheet(620, 160);
    QPalette p = sheet->palette();
    p.setBrush(QPalette::Window, QBrush(checkerPicture(620, 160)));
    sheet->setPalette(p);
    auto* menu = new PlainPanel(sheet.get());
    menu->setGeometry(10, 10, 140, 100);
    menu->setBorderOuter(TFrameStyleEx::fsNone);
    menu->setBorderWidth(1);
    menu->setBorderColor(QColor(0x90, 0x90, 0x90));
    menu->setColor(QColor(0x30, 0x30, 0x38));
    auto* framed = new PlainPanel(sheet.get());
    framed->setGeometry(160, 10, 140, 100);
    framed->setCaption("Raised, grid, caption");
    framed->setShowGrid(true);
    auto* plainBox = new PlainGroupBox(sheet.get());
    plainBox->setGeometry(310, 10, 140, 100);
    plainBox->setCaption("bsSingle");
    auto* doubleBox = new PlainGroupBox(sheet.get());
    doubleBox->setGeometry(460, 10, 150, 60);
    doubleBox->setBorderStyle(TPlainBorderStyle::bsDouble);
    doubleBox->setCtl3D(true);
    doubleBox->setCaptionPosition(TCaptionPosition::cpBottomCenter);
    doubleBox->setCaption("bsDouble 3D");
    doubleBox->setTransparent(false);
    doubleBox->setColor(QColor(0xE7, 0xE7, 0xE7));
    auto* page = new PlainGroupBox(sheet.get());
    page->setGeometry(460, 80, 150, 70);
    page->setBorderStyle(TPlainBorderStyle::bsNone); // a page: shows the picture behind it
    note(*page, 5, 5, "bsNone, transparent");
    g.save("borderless_panel_group_box", *sheet);
}

void rectShapes(Gallery& g) {
    auto sheet = g.sheet(260, 70, Qt::white);
    int x = 10;
    auto shape = [&] {
        auto* s = new RectShape(sheet.get());
        s->setGeometry(x, 10, 48, 48);
        s->setBrushColor(Qt::red);
        x += 60;
        return s;
    };
    shape()->setShadow(false);
    shape();
    auto* clear = shape();
    clear->setShadow(false);
    clear->setPenStyle(TPenStyle::psClear);
    auto* small = shape();
    small->resize(32, 33);
    small->setShadow(false);
    small->setBrushColor(QColor(0x20, 0xA0, 0x40));
    g.save("rect_shape", *sheet);
}

struct Family {
    const char* name;
    void (*render)(Gallery&);
};

const Family kFamilies[] = {
    {"wide labels", wideLabels},
    {"wide edits, lists and combo boxes", wideEdits},
    {"GIF animator", gifAnimator},
    {"skinned group boxes and panels", skinnedGroupBoxes},
    {"borderless panels and group boxes", borderlessPanels},
    {"rectangle shapes", rectShapes},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: control_gallery OUTPUT_DIR\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) {
        std::fprintf(stderr, "control_gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    Gallery gallery(dir);
    for (const Family& f : kFamilies) {
        std::fprintf(stderr, "rendering %s\n", f.name);
        f.render(gallery);
    }
    return gallery.failures == 0 ? 0 : 1;
}
