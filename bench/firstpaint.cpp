// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up benchmark's marker at the first paint. bench/startup.cpp loads this library into
// each program it starts (LD_PRELOAD), Kestrune and the floors alike, so no program carries code
// of its own for the benchmark. Once a window has received its first paint event and the event
// loop is free again (the whole window painted and handed to the screen), it writes one line to
// the file descriptor named by KESTRUNE_FIRST_PAINT_FD:
//
//     first-paint SECONDS NANOSECONDS PEAK-KIB RESIDENT-KIB
//
// the time on the monotonic clock, then the peak and the present resident memory of the process
// (VmHWM and VmRSS), and quits the program the normal way. Without the variable it does nothing.

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long statusKilobytes(const char *field)
{
    FILE *status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            value = std::strtol(line + length + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return value;
}

void reportFirstPaint(int fd)
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[128];
    const int length = std::snprintf(line, sizeof line, "first-paint %lld %ld %ld %ld\n",
        static_cast<long long>(now.tv_sec), now.tv_nsec, statusKilobytes("VmHWM"),
        statusKilobytes("VmRSS"));
    if (length > 0 && write(fd, line, static_cast<std::size_t>(length)) < 0)
        std::perror("first-paint marker");
    close(fd);
}

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(int fd, QObject *parent) : QObject(parent), m_fd(fd) { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // A zero timer fires once the paint of the whole window has been finished and flushed.
            const int fd = m_fd;
            QTimer::singleShot(0, QCoreApplication::instance(), [fd] {
                reportFirstPaint(fd);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    int m_fd;
};

void installFirstPaintProbe()
{
    const char *fd = std::getenv("KESTRUNE_FIRST_PAINT_FD");
    if (!fd || !*fd) return;
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintProbe(std::atoi(fd), app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintProbe)
