#include "ui/font_warm_up.h"

#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace stk::ui {
namespace {

// Threads ready to run on the whole machine right now, this one included.
int runnable_threads()
{
    int running = 0, total = 0;
    FILE* load = std::fopen("/proc/loadavg", "r");
    if (!load)
        return -1;
    const bool read = std::fscanf(load, "%*f %*f %*f %d/%d", &running, &total) == 2;
    std::fclose(load);
    return read ? running : -1;
}

// On two cores the toolkit's thread and the display server keep both busy at
// times during the start; a reader competing with them delays them by as much
// as it saves. When a core is idle, the reader keeps off the starting thread's
// core and takes the lowest priority, so that it runs in the gaps they leave.
// On a busy machine it stays an ordinary thread: at the lowest priority it
// would wait behind other programs, and the window's thread, then wanting the
// configuration, behind it.
void stand_aside_if_a_core_is_idle(int starting_cpu, bool core_idle)
{
    if (!core_idle || starting_cpu < 0)
        return;
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) != 0)
        return;
    CPU_CLR(starting_cpu, &cores);
    if (CPU_COUNT(&cores) == 0)
        return;
    sched_setaffinity(0, sizeof cores, &cores);
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);  // this thread only
}

}  // namespace

// The toolkit asks fontconfig for the same configuration later and finds it
// ready; when reading it failed here, the toolkit tries again and reports it.
FontConfigWarmUp::FontConfigWarmUp()
{
    std::promise<void> read;
    read_ = read.get_future();
    cpu_set_t cores;
    const int usable_cores = sched_getaffinity(0, sizeof cores, &cores) == 0 ? CPU_COUNT(&cores) : 1;
    const int runnable = runnable_threads();
    const bool core_idle = runnable >= 1 && runnable < usable_cores;
    reader_ = std::thread([read = std::move(read), starting_cpu = sched_getcpu(), core_idle]() mutable {
        stand_aside_if_a_core_is_idle(starting_cpu, core_idle);
        FcInit();
        read.set_value();
    });
}

void FontConfigWarmUp::wait(std::chrono::milliseconds patience)
{
    if (!read_.valid())
        return;
    const bool read_in_time = read_.wait_for(patience) == std::future_status::ready;
    read_ = {};
    if (read_in_time) {
        reader_.join();
        return;
    }
    // Overtaken: fontconfig keeps the first configuration read and the
    // reader, when it finishes, drops its own; no one needs to wait for it.
    FcInit();
    reader_.detach();
}

FontConfigWarmUp::~FontConfigWarmUp() { wait(); }

}  // namespace stk::ui
