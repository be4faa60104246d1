#include "base/startup_profile.h"

#include <cstdio>
#include <ctime>

#include <unistd.h>

#include <QFile>

namespace {

bool g_enabled = false;

// Milliseconds since the process started, from the kernel's record of its start, so the time
// before main() (loading the libraries) is counted too.
double msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The fields after the command name, which may hold blanks, start behind its ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int startTimeField = 19; // field 22 of the whole line
    if (fields.size() <= startTimeField)
        return -1;
    const double startSeconds = fields[startTimeField].toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startSeconds) * 1000.0;
}

// The main thread's own processor time: unlike the elapsed time, it hardly moves when other
// programs keep the machine busy, so steps can be compared on a loaded machine too.
double mainThreadCpuMs() {
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return double(used.tv_sec) * 1000.0 + double(used.tv_nsec) / 1e6;
}

} // namespace

void StartupProfile::enable() {
    g_enabled = true;
}

bool StartupProfile::enabled() {
    return g_enabled;
}

void StartupProfile::mark(const char *step) {
    if (g_enabled)
        std::fprintf(stderr, "startup %8.1f ms  (main thread %6.1f ms)  %s\n", msSinceProcessStart(),
                     mainThreadCpuMs(), step);
}
