#include "ui/font_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace stk::ui {

// The toolkit asks fontconfig for the same configuration later and finds it
// ready; when reading it failed here, the toolkit tries again and reports it.
FontConfigWarmUp::FontConfigWarmUp() : reader_([] { FcInit(); }) {}

void FontConfigWarmUp::wait()
{
    if (reader_.joinable())
        reader_.join();
}

}  // namespace stk::ui
