#pragma once

#include "moduledescriptor.h"
#include "moduleobjects.h"

// What a module does besides adding and freeing its rows. A module with more
// to do when it starts or stops hides Start or Stop in its own definition.
struct NoModuleHooks {
    static bool Start() { return true; }
    static void Stop() {}
};

// The frame every module shares: its entry in the start-up list, its object
// maps' lock, and the two functions the command centre calls. `Definition` is
// the module's own struct, defined beside its handlers:
//
//   struct nxaZip::Definition : NoModuleHooks {
//       static constexpr const auto& kRowTable = kRows; // the module's RowSpec table
//   };
//   template class ModuleFrame<nxaZip::Definition>;
//
// and its header declares the frame without the table, so that other files
// reach the module only through Descriptor and Objects:
//
//   namespace nxaZip { struct Definition; using Frame = ModuleFrame<Definition>; }
//   extern template class ModuleFrame<nxaZip::Definition>;
//
// Initialise runs Start, then adds the rows (none when Start fails). Shutdown
// frees the rows, empties the object maps (ids keep counting on), then runs
// Stop; the descriptor keeps its two functions, so the module can be
// initialised again (test programs do).
template <class Definition>
class ModuleFrame {
public:
    static ModuleDescriptor& Descriptor();
    static ModuleObjects& Objects();
    static bool Initialise();
    static void Shutdown();
};

// Defined outside the class so that they are not inline: the header's
// `extern template` then keeps every other file from instantiating them
// against the incomplete definition.
template <class Definition>
ModuleDescriptor& ModuleFrame<Definition>::Descriptor()
{
    static ModuleDescriptor descriptor = MakeModuleDescriptor(Initialise, Shutdown);
    return descriptor;
}

template <class Definition>
ModuleObjects& ModuleFrame<Definition>::Objects()
{
    static ModuleObjects objects;
    return objects;
}

template <class Definition>
bool ModuleFrame<Definition>::Initialise()
{
    if (!Definition::Start())
        return false;
    AppendCommandRows(Descriptor(), Definition::kRowTable);
    return true;
}

template <class Definition>
void ModuleFrame<Definition>::Shutdown()
{
    ReleaseCommandRows(Descriptor());
    Objects().ClearAll();
    Definition::Stop();
}
