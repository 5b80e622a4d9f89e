#pragma once

// What "nxa.Flash.create" hands out: an id and nothing else. The commands
// only check that the id exists and then act on the calling form's movie.
class Flash {
public:
    virtual ~Flash() = default;
};
