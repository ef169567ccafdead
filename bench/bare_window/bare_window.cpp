// A bare Qt window of the title screen's client size (692 x 541 pixels) and
// nothing else. With HK_PAINT_HOOK it prints the CLOCK_MONOTONIC time of its
// first paint, so that the pixel watch of scripts/startup-figures.sh can be
// checked against what the program itself sees.

#include <QApplication>
#include <QWidget>

#ifdef HK_PAINT_HOOK
#include <cstdio>
#include <ctime>
#endif

namespace {

class BareWindow : public QWidget {
protected:
#ifdef HK_PAINT_HOOK
    void paintEvent(QPaintEvent* e) override {
        QWidget::paintEvent(e);
        if (!painted_) {
            painted_ = true;
            timespec t{};
            clock_gettime(CLOCK_MONOTONIC, &t);
            std::fprintf(stderr, "first-paint-monotonic-ns %lld\n",
                         static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
        }
    }

private:
    bool painted_ = false;
#endif
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    BareWindow w;
    w.setWindowTitle(QStringLiteral("Bare"));
    w.resize(692, 541);
    w.show();
    return app.exec();
}
