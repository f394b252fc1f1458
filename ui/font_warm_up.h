// The desktop's font configuration, read on another core while the toolkit
// connects to the display: it is most of the work of the first text the
// window measures, and nothing before that needs it.
#pragma once

#include <chrono>
#include <future>
#include <mutex>
#include <sched.h>
#include <sys/types.h>
#include <thread>

namespace stk::ui {

class FontConfigWarmUp {
public:
    // Starts reading the configuration; make it before the application object.
    // When a core is idle, the reader keeps off the core this thread runs on
    // and runs behind every other thread, so that it only takes time the
    // toolkit's start and the display server leave; on a busy machine it is an
    // ordinary thread.
    FontConfigWarmUp();
    // Returns once the configuration is read; call it before the first font
    // is used. A reader kept off this thread's core that has not finished
    // within `patience` may use every core from then on: this thread only
    // waits, and a machine that became busy may have left the reader's core
    // no time.
    void wait(std::chrono::milliseconds patience = std::chrono::milliseconds(10));
    ~FontConfigWarmUp() { wait(); }

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    // Whether the reader keeps off a core, and which thread it is.
    struct Placement {
        std::mutex lock;
        cpu_set_t all_cores{};
        pid_t reader = 0;  // set once the reader keeps off a core
        bool released = false;
    };

    Placement placement_;
    std::future<void> read_;
    std::thread reader_;
};

}  // namespace stk::ui
