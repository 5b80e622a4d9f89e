#pragma once

#include "commandargs.h"
#include "objectmap.h"
#include "rowcontext.h"

#include <memory>
#include <utility>

struct json_object;

// The two shapes of an object row. The command centre has already checked the
// argument count against the row's rule; these answer the row's declared
// fallback when the object is missing, so no handler spells it out:
//
//   json_object* __cdecl getSize(CallInfo*, int32_t argc, json_object** argv)
//   {
//       return WithObject(Files(), argc, argv, [](FileObject& file) { return MakeInt(file.Size()); });
//   }

// Runs the work with the object whose id is the first argument and answers
// what the work answers; the row's fallback when there is no first argument
// or the id is not in the map. The map's lock is not held during the work.
template <class T, class Work>
json_object* WithObject(const ObjectMap<T>& objects, int32_t argc, json_object** argv, Work&& work)
{
    const std::shared_ptr<T> object = argc > 0 ? objects.Find(ReadInt(argv[0])) : nullptr;
    if (!object)
        return RowFallback();
    return std::forward<Work>(work)(*object);
}

// Enters a new object and answers its id; the row's fallback when no object
// was made.
template <class T>
json_object* AddObject(ObjectMap<T>& objects, std::shared_ptr<T> object)
{
    if (!object)
        return RowFallback();
    return MakeInt(objects.Add(std::move(object)));
}
