// The library's one entry: the window finds it by name once it is loaded.
#include "on_demand/on_demand_commands.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT stk::ui::OnDemandCommands* stk_secu_on_demand_commands()
{
    return &stk::linked_on_demand_commands();
}
