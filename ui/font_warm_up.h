// The desktop's font configuration, read on another core while the toolkit
// connects to the display: it is most of the work of the first text the
// window measures, and nothing before that needs it.
#pragma once

#include <thread>

namespace stk::ui {

class FontConfigWarmUp {
public:
    // Starts reading the configuration; make it before the application object.
    FontConfigWarmUp();
    // Waits until it is read; call it before the first font is used.
    void wait();
    ~FontConfigWarmUp() { wait(); }

    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

private:
    std::thread reader_;
};

}  // namespace stk::ui
