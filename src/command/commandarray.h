#pragma once

#include <string>
#include <vector>

struct json_object;

// The decoded command text of a call read as the JSON array it should be:
// element 0 names the command, the others are its arguments. Owns the parsed
// value, and with it every argument, until it goes out of scope.
class CommandArray {
public:
    // Reads UTF-8 text up to its first NUL, as the JSON reader takes it.
    explicit CommandArray(const std::string& utf8);
    ~CommandArray();
    CommandArray(const CommandArray&) = delete;
    CommandArray& operator=(const CommandArray&) = delete;

    // False for text that is not a JSON array, or an empty one: it runs nothing.
    bool IsCall() const;
    // Element 0: a string by its characters, anything else by its JSON text
    // (the number 5 names "5", null names "null"). Only when IsCall().
    std::string CommandName() const;
    // Elements 1 onwards (a JSON null as a null pointer), owned by this object.
    std::vector<json_object*> Arguments() const;

private:
    json_object* m_value;
};
