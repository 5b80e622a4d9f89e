#include "moduledescriptor.h"

#include <cstdlib>

namespace {

// Grows one array by one element; false (array unchanged) when memory ran out.
template <class T>
bool GrowByOne(T*& array, size_t count)
{
    void* grown = std::realloc(array, (count + 1) * sizeof(T));
    if (!grown)
        return false;
    array = static_cast<T*>(grown);
    return true;
}

} // namespace

ModuleDescriptor MakeModuleDescriptor(bool (*initialise)(), void (*shutdown)())
{
    return ModuleDescriptor{initialise, shutdown, nullptr, 0, nullptr};
}

void AppendCommandRow(ModuleDescriptor& module, const RowSpec& spec)
{
    const size_t count = module.rowCount > 0 ? static_cast<size_t>(module.rowCount) : 0;
    if (!GrowByOne(module.rows, count) || !GrowByOne(module.rules, count))
        return;
    module.rows[count] = CommandRow{spec.name, spec.handler, InvokeRowHandler};
    module.rules[count] = spec.Rule();
    module.rowCount = static_cast<int32_t>(count + 1);
}

void AppendCommandRow(ModuleDescriptor& module, const char* name, CommandHandler handler)
{
    AppendCommandRow(module, RowSpec{name, handler, kAnyArgCount, nullptr, kAnyThread});
}

void AppendCommandRows(ModuleDescriptor& module, const RowSpec* specs, size_t count)
{
    for (size_t index = 0; index < count; ++index)
        AppendCommandRow(module, specs[index]);
}

void ReleaseCommandRows(ModuleDescriptor& module)
{
    std::free(module.rows);
    std::free(module.rules);
    module.rows = nullptr;
    module.rules = nullptr;
    module.rowCount = 0;
}
