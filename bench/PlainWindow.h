#pragma once
// The floor the launching benchmarks measure the program against: QApplication and one empty
// frameless window of the program's size, started the same way as the program. At its first
// paint it prints the program's trace line ("startup-trace main=<ns> painted=<ns>").

#include "ProgramLaunch.h"

#include <QApplication>
#include <QMetaObject>
#include <QWidget>

#include <cstdint>
#include <cstdio>

namespace bench {

class PlainWindow final : public QWidget {
public:
    explicit PlainWindow(std::int64_t mainNs) : main_(mainNs) {}

protected:
    void paintEvent(QPaintEvent*) override {
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
    bool painted_ = false;
};

// Runs the plain window until it is killed; `mainNs` is when main began.
inline int RunPlainWindow(int argc, char** argv, std::int64_t mainNs) {
    QApplication app(argc, argv);
    PlainWindow window(mainNs);
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setFixedSize(1030, 660);
    window.show();
    return QApplication::exec();
}

} // namespace bench
