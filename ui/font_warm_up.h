// The desktop's font configuration, read on another core while the toolkit
// connects to the display: it is most of the work of the first text the
// window measures, and nothing before that needs it.
#pragma once

#include <chrono>
#include <future>
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
    // Returns once the configuration is read, before the first font is used.
    // A reader that has not finished within `patience` (a machine busy with
    // other work leaves it little time) is overtaken: this thread reads the
    // configuration itself, and the first of the two to finish is kept.
    void wait(std::chrono::milliseconds patience = std::chrono::milliseconds(10));
    ~FontConfigWarmUp();

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::future<void> read_;
    std::thread reader_;
};

}  // namespace stk::ui
