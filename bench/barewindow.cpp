// The least that exchanging two ready frames costs a Qt window: two plain
// image widgets at the same place, one shown and the other hidden in turn at
// the game's tick rate, as the game exchanges its frame buffers, and nothing
// else. For scripts/measure-playtime.sh.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <chrono>

#include "control/frmtavlo.h"
#include "draw/surface.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(kSurfaceSize.width, kSurfaceSize.height);
    QLabel* images[2];
    for (int i = 0; i < 2; ++i) {
        QImage image(kSurfaceSize.width, kSurfaceSize.height, QImage::Format_RGB32);
        image.fill(i ? Qt::darkCyan : Qt::darkGreen);
        images[i] = new QLabel(&window);
        images[i]->setPixmap(QPixmap::fromImage(image));
        images[i]->resize(image.size());
    }
    window.show();

    // Every exchange has its deadline, whenever the one before came about.
    using Clock = std::chrono::steady_clock;
    using Tick = std::chrono::duration<long long, std::ratio<1, kTicksPerSecond>>;
    const Clock::time_point start = Clock::now();
    long long n = 0;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        images[n % 2]->show();
        images[(n + 1) % 2]->hide();
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(start + Tick(++n) - Clock::now());
        timer.start(std::max(wait, std::chrono::milliseconds::zero()));
    });
    timer.start(0);
    return app.exec();
}
