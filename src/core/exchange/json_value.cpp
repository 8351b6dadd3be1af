#include "json_value.h"

#include <algorithm>

namespace zav {
namespace {

// Deep nesting is no configuration; stop before the stack would suffer.
constexpr int kDeepestNesting = 64;

void appendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

/// Length of the UTF-8 sequence starting at text[i], or 0 when it is not one.
std::size_t utf8Length(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    std::size_t length = 0;
    unsigned code = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        length = 2;
        code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3;
        code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonParseResult run()
    {
        JsonParseResult result;
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        skipSpace();
        if (!value(result.value, 0))
            return fail();
        skipSpace();
        if (pos_ != text_.size()) {
            error_ = "text after the end of the value";
            return fail();
        }
        result.ok = true;
        return result;
    }

private:
    JsonParseResult fail() const
    {
        int line = 1;
        int column = 1;
        for (std::size_t k = 0; k < std::min(pos_, text_.size()); ++k) {
            if (text_[k] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        JsonParseResult result;
        result.error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + error_;
        return result;
    }

    bool refuse(std::string reason)
    {
        error_ = std::move(reason);
        return false;
    }

    void skipSpace()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return refuse("not a JSON value");
        pos_ += word.size();
        return true;
    }

    bool value(JsonValue& out, int depth)
    {
        if (depth > kDeepestNesting)
            return refuse("nested too deeply");
        if (pos_ >= text_.size())
            return refuse("the text ends where a value should be");
        const char c = text_[pos_];
        if (c == '{')
            return object(out, depth);
        if (c == '[')
            return array(out, depth);
        if (c == '"') {
            out.kind = JsonValue::Kind::String;
            return string(out.text);
        }
        if (c == 't' || c == 'f') {
            out.kind = JsonValue::Kind::Bool;
            out.boolean = c == 't';
            return literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') {
            out.kind = JsonValue::Kind::Null;
            return literal("null");
        }
        return number(out);
    }

    bool number(JsonValue& out)
    {
        const std::size_t start = pos_;
        const auto digits = [&] {
            const std::size_t first = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            return pos_ - first;
        };
        if (pos_ < text_.size() && text_[pos_] == '-')
            ++pos_;
        const std::size_t whole = pos_;
        if (digits() == 0 || (text_[whole] == '0' && pos_ - whole > 1)) {
            pos_ = start;
            return refuse("not a JSON value");
        }
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (digits() == 0)
                return refuse("a number needs digits after its \".\"");
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            if (digits() == 0)
                return refuse("a number needs digits in its exponent");
        }
        out.kind = JsonValue::Kind::Number;
        out.text = std::string(text_.substr(start, pos_ - start));
        return true;
    }

    bool hex4(unsigned& code)
    {
        if (pos_ + 4 > text_.size())
            return refuse("\\u needs four hexadecimal digits");
        code = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = text_[pos_++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                code |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                code |= static_cast<unsigned>(h - 'A' + 10);
            else
                return refuse("\\u needs four hexadecimal digits");
        }
        return true;
    }

    bool string(std::string& out)
    {
        ++pos_; // the opening quote
        while (true) {
            if (pos_ >= text_.size())
                return refuse("the string does not end");
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return refuse("a control character inside a string must be escaped");
            if (c != '\\') {
                const std::size_t length = utf8Length(text_, pos_);
                if (length == 0)
                    return refuse("the text is not UTF-8");
                out.append(text_.substr(pos_, length));
                pos_ += length;
                continue;
            }
            if (++pos_ >= text_.size())
                return refuse("the string does not end");
            const char e = text_[pos_++];
            switch (e) {
            case '"': out.push_back('"'); break;
            case '\\': out.push_back('\\'); break;
            case '/': out.push_back('/'); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case 'u': {
                unsigned code = 0;
                if (!hex4(code))
                    return false;
                if (code >= 0xDC00 && code <= 0xDFFF)
                    return refuse("a lone low surrogate");
                if (code >= 0xD800 && code <= 0xDBFF) {
                    unsigned low = 0;
                    if (text_.substr(pos_, 2) != "\\u")
                        return refuse("a high surrogate without its low one");
                    pos_ += 2;
                    if (!hex4(low))
                        return false;
                    if (low < 0xDC00 || low > 0xDFFF)
                        return refuse("a high surrogate without its low one");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, code);
                break;
            }
            default: return refuse("an unknown escape in a string");
            }
        }
    }

    bool array(JsonValue& out, int depth)
    {
        out.kind = JsonValue::Kind::Array;
        ++pos_;
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return true;
        }
        while (true) {
            JsonValue item;
            skipSpace();
            if (!value(item, depth + 1))
                return false;
            out.items.push_back(std::move(item));
            skipSpace();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == ']') {
                ++pos_;
                return true;
            }
            return refuse("expected \",\" or \"]\"");
        }
    }

    bool object(JsonValue& out, int depth)
    {
        out.kind = JsonValue::Kind::Object;
        ++pos_;
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return true;
        }
        while (true) {
            skipSpace();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                return refuse("expected a member name in quotes");
            std::string key;
            if (!string(key))
                return false;
            if (out.find(key))
                return refuse("the member \"" + key + "\" appears twice");
            skipSpace();
            if (pos_ >= text_.size() || text_[pos_] != ':')
                return refuse("expected \":\" after a member name");
            ++pos_;
            skipSpace();
            JsonValue item;
            if (!value(item, depth + 1))
                return false;
            out.members.push_back({std::move(key), std::move(item)});
            skipSpace();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '}') {
                ++pos_;
                return true;
            }
            return refuse("expected \",\" or \"}\"");
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string error_;
};

void writeString(std::string& out, std::string_view text)
{
    static const char* const kHex = "0123456789abcdef";
    out.push_back('"');
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\u00";
            out.push_back(kHex[u >> 4]);
            out.push_back(kHex[u & 15]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

void write(std::string& out, const JsonValue& value, int indent)
{
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    const std::string outer(static_cast<std::size_t>(indent), ' ');
    switch (value.kind) {
    case JsonValue::Kind::Null: out += "null"; break;
    case JsonValue::Kind::Bool: out += value.boolean ? "true" : "false"; break;
    case JsonValue::Kind::Number: out += value.text; break;
    case JsonValue::Kind::String: writeString(out, value.text); break;
    case JsonValue::Kind::Array: {
        const bool flat = std::all_of(value.items.begin(), value.items.end(),
                                      [](const JsonValue& v) { return v.kind == JsonValue::Kind::Number; });
        if (value.items.empty() || flat) {
            out.push_back('[');
            for (std::size_t k = 0; k < value.items.size(); ++k) {
                if (k > 0)
                    out += ", ";
                out += value.items[k].text;
            }
            out.push_back(']');
            break;
        }
        out += "[\n";
        for (std::size_t k = 0; k < value.items.size(); ++k) {
            out += inner;
            write(out, value.items[k], indent + 2);
            out += k + 1 < value.items.size() ? ",\n" : "\n";
        }
        out += outer + "]";
        break;
    }
    case JsonValue::Kind::Object: {
        if (value.members.empty()) {
            out += "{}";
            break;
        }
        out += "{\n";
        for (std::size_t k = 0; k < value.members.size(); ++k) {
            out += inner;
            writeString(out, value.members[k].first);
            out += ": ";
            write(out, value.members[k].second, indent + 2);
            out += k + 1 < value.members.size() ? ",\n" : "\n";
        }
        out += outer + "}";
        break;
    }
    }
}

} // namespace

JsonValue JsonValue::ofKind(Kind kind)
{
    JsonValue v;
    v.kind = kind;
    return v;
}

JsonValue JsonValue::number(long long value)
{
    JsonValue v = ofKind(Kind::Number);
    v.text = std::to_string(value);
    return v;
}

JsonValue JsonValue::string(std::string value)
{
    JsonValue v = ofKind(Kind::String);
    v.text = std::move(value);
    return v;
}

const JsonValue* JsonValue::find(std::string_view key) const
{
    for (const auto& [name, value] : members) {
        if (name == key)
            return &value;
    }
    return nullptr;
}

JsonValue& JsonValue::add(std::string key, JsonValue value)
{
    members.push_back({std::move(key), std::move(value)});
    return members.back().second;
}

JsonParseResult parseJson(std::string_view text) { return Parser(text).run(); }

std::string writeJson(const JsonValue& value)
{
    std::string out;
    write(out, value, 0);
    out.push_back('\n');
    return out;
}

} // namespace zav
