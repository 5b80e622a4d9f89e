#include "moduledescriptor.h"

#include <cstdlib>

void AppendCommandRow(ModuleDescriptor& module, const char* name, CommandHandler handler)
{
    const size_t count = module.rowCount > 0 ? static_cast<size_t>(module.rowCount) : 0;
    void* grown = std::realloc(module.rows, (count + 1) * sizeof(CommandRow));
    if (!grown)
        return;
    module.rows = static_cast<CommandRow*>(grown);
    module.rows[count] = CommandRow{name, handler, InvokeRowHandler};
    module.rowCount = static_cast<int32_t>(count + 1);
}

void ReleaseCommandRows(ModuleDescriptor& module)
{
    std::free(module.rows);
    module.rows = nullptr;
    module.rowCount = 0;
}
