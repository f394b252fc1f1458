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
    int running = 0;
    FILE* load = std::fopen("/proc/loadavg", "r");
    if (!load)
        return -1;
    const bool read = std::fscanf(load, "%*f %*f %*f %d/", &running) == 1;
    std::fclose(load);
    return read ? running : -1;
}

// The machine has a core no thread is ready to run on.
bool core_idle(const cpu_set_t& cores)
{
    const int runnable = runnable_threads();  // this thread included
    return runnable >= 1 && runnable < CPU_COUNT(&cores);
}

}  // namespace

// The toolkit asks fontconfig for the same configuration later and finds it
// ready; when reading it failed here, the toolkit tries again and reports it.
//
// On two cores the toolkit's thread and the display server keep both busy at
// times during the start; a reader competing with them delays them by as much
// as it saves. When a core is idle, the reader keeps off the starting thread's
// core and takes the lowest priority, so that it runs in the gaps they leave.
// On a busy machine it stays an ordinary thread: at the lowest priority it
// would wait behind other programs, and the window's thread behind it.
FontConfigWarmUp::FontConfigWarmUp()
{
    std::promise<void> read;
    read_ = read.get_future();
    cpu_set_t others{};
    const int starting_cpu = sched_getcpu();
    bool stand_aside = false;
    if (sched_getaffinity(0, sizeof placement_.all_cores, &placement_.all_cores) == 0 && starting_cpu >= 0 &&
        core_idle(placement_.all_cores)) {
        others = placement_.all_cores;
        CPU_CLR(starting_cpu, &others);
        stand_aside = CPU_COUNT(&others) > 0;
    }
    reader_ = std::thread([this, read = std::move(read), stand_aside, others]() mutable {
        if (stand_aside) {
            const std::lock_guard<std::mutex> hold(placement_.lock);
            if (!placement_.released && sched_setaffinity(0, sizeof others, &others) == 0) {
                placement_.reader = gettid();
                setpriority(PRIO_PROCESS, static_cast<id_t>(placement_.reader), 19);  // this thread only
            }
        }
        FcInit();
        read.set_value();
    });
}

void FontConfigWarmUp::wait(std::chrono::milliseconds patience)
{
    if (!reader_.joinable())
        return;
    if (read_.wait_for(patience) != std::future_status::ready) {
        const std::lock_guard<std::mutex> hold(placement_.lock);
        placement_.released = true;
        if (placement_.reader != 0)
            sched_setaffinity(placement_.reader, sizeof placement_.all_cores, &placement_.all_cores);
    }
    reader_.join();
    read_ = {};
}

}  // namespace stk::ui
