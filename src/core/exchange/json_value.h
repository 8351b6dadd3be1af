#pragma once

// A small JSON reader and writer for the configuration file: values keep
// their members in file order, numbers keep their text (so a value is never
// rounded on the way through), and a read error says where it is.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; ///< a string's UTF-8 characters, or a number as written
    std::vector<JsonValue> items;
    /// An object's members in file order. Not a std::pair: a pair holding
    /// the type being defined does not compile with every compiler.
    std::vector<JsonMember> members;

    static JsonValue number(long long value);
    static JsonValue string(std::string value);
    static JsonValue array();
    static JsonValue object();
    static JsonValue ofKind(Kind kind);

    /// The member named key of an object, or nullptr.
    [[nodiscard]] const JsonValue* find(std::string_view key) const;
    /// Adds a member to an object.
    JsonValue& add(std::string key, JsonValue value);
};

/// One member of an object: its key and its value, named as a pair's.
struct JsonMember {
    std::string first;
    JsonValue second;
};

inline JsonValue JsonValue::array() { return ofKind(Kind::Array); }
inline JsonValue JsonValue::object() { return ofKind(Kind::Object); }

struct JsonParseResult {
    JsonValue value;
    bool ok = false;
    std::string error; ///< "line 3, column 7: ..." when not ok
};

/// Reads one JSON value (RFC 8259) filling the whole text, a UTF-8
/// byte-order mark aside. Strings must be valid UTF-8; \u escapes, surrogate
/// pairs included, become UTF-8.
[[nodiscard]] JsonParseResult parseJson(std::string_view text);

/// The value as indented JSON text ending in a line break; arrays that hold
/// only numbers stay on one line.
[[nodiscard]] std::string writeJson(const JsonValue& value);

} // namespace zav
