#pragma once

#include <string>
#include <utility>
#include <vector>

namespace standin {

// A small JSON value: enough for the player to build call arguments, read
// replies and compare them with what a movie script expects.
class JsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    JsonValue() = default;
    static JsonValue MakeString(const std::string& text);
    static JsonValue MakeArray();

    // Parses one complete JSON text (surrounding white space allowed).
    // False on any syntax error; the value is then null.
    static bool Parse(const std::string& text, JsonValue& value);

    Kind GetKind() const { return m_kind; }
    const std::string& Text() const { return m_text; }
    double Number() const { return m_number; }
    bool Bool() const { return m_bool; }
    const std::vector<JsonValue>& Items() const { return m_items; }
    std::vector<JsonValue>& Items() { return m_items; }
    // Object member by name, or nullptr.
    const JsonValue* Member(const std::string& name) const;

    // Compact JSON text: no spaces, strings escaped, whole numbers without a
    // fraction.
    std::string Serialise() const;

    // Structural equality: numbers by value, object members in any order.
    bool operator==(const JsonValue& other) const;
    bool operator!=(const JsonValue& other) const { return !(*this == other); }

private:
    class Parser;

    Kind m_kind = Kind::Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_text; // string value
    std::vector<JsonValue> m_items; // array items, or object values
    std::vector<std::string> m_names; // object member names, parallel to m_items
};

} // namespace standin
