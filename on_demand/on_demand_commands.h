// The commands the window loads on first use, linked into a program: the
// library beside the calculator exports them, and the tests link them in.
#pragma once

#include "ui/on_demand.h"

namespace stk {

ui::OnDemandCommands& linked_on_demand_commands();

}  // namespace stk
