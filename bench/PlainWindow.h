#pragma once
// The floor the launching benchmarks measure the program against: QApplication and one empty
// frameless window of the program's size, started the same way as the program. At its first
// paint it prints the program's trace line ("startup-trace main=<ns> painted=<ns>"). With
// `PlainContent::Text` it shows one line of text, and so loads the fonts, as any window with a
// caption does.

#include "ProgramLaunch.h"

#include <QApplication>
#include <QMetaObject>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <cstdio>

namespace bench {

enum class PlainContent { Empty, Text };

class PlainWindow final : public QWidget {
public:
    PlainWindow(std::int64_t mainNs, PlainContent content) : main_(mainNs), content_(content) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (content_ == PlainContent::Text)
            QPainter(this).drawText(rect(), Qt::AlignCenter, QStringLiteral("Gaming Mouse"));
        if (painted_)
            return;
        painted_ = true;
        // Printed once the paint is done, as the program prints its own.
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::printf("startup-trace main=%lld painted=%lld\n", static_cast<long long>(main_),
                            static_cast<long long>(MonotonicNs()));
                std::fflush(stdout);
            },
            Qt::QueuedConnection);
    }

private:
    std::int64_t main_ = 0;
    PlainContent content_ = PlainContent::Empty;
    bool painted_ = false;
};

// Runs the plain window until it is killed; `mainNs` is when main began.
inline int RunPlainWindow(int argc, char** argv, std::int64_t mainNs,
                          PlainContent content = PlainContent::Empty) {
    QApplication app(argc, argv);
    PlainWindow window(mainNs, content);
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFixedSize(1030, 660);
    window.show();
    return QApplication::exec();
}

} // namespace bench
