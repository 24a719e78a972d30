#pragma once
// Syntax checks of what the tool writes for other programs: a JSON text
// (RFC 8259) and an XML document (one root, tags closed in order, quoted
// attributes, known entities). Structure only.

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmar::cli::test {

class JsonSyntax {
  public:
    explicit JsonSyntax(std::string_view text) : s_(text) {}
    bool Valid() { return Value(0) && (Space(), i_ == s_.size()); }

  private:
    bool Eat(char c) { return i_ < s_.size() && s_[i_] == c ? (++i_, true) : false; }
    void Space() {
        while (i_ < s_.size() && s_[i_] && std::strchr(" \t\r\n", s_[i_])) ++i_;
    }
    bool Digits() {
        const std::size_t start = i_;
        while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
        return i_ > start;
    }
    bool Word(std::string_view w) { return s_.substr(i_, w.size()) == w && (i_ += w.size(), true); }
    bool Value(int depth) {
        Space();
        if (depth > 64 || i_ >= s_.size()) return false;
        switch (s_[i_]) {
            case '{':
            case '[':
                return Composite(depth);
            case '"':
                return String();
            case 't':
                return Word("true");
            case 'f':
                return Word("false");
            case 'n':
                return Word("null");
            default:
                return Number();
        }
    }
    bool Composite(int depth) {
        const bool object = s_[i_++] == '{';
        Space();
        if (Eat(object ? '}' : ']')) return true;
        do {
            Space();
            if (object && !(String() && (Space(), Eat(':')))) return false;
            if (!Value(depth + 1)) return false;
            Space();
        } while (Eat(','));
        return Eat(object ? '}' : ']');
    }
    bool String() {
        if (!Eat('"')) return false;
        while (i_ < s_.size()) {
            const unsigned char c = s_[i_++];
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') continue;
            const char e = i_ < s_.size() ? s_[i_++] : '\0';
            if (e == 'u') {
                for (int k = 0; k < 4; ++k)
                    if (i_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[i_++])))
                        return false;
            } else if (!e || !std::strchr("\"\\/bfnrt", e)) {
                return false;
            }
        }
        return false;
    }
    bool Number() {
        Eat('-');
        if (!Eat('0') && !Digits()) return false;
        if (Eat('.') && !Digits()) return false;
        if (Eat('e') || Eat('E')) {
            if (!Eat('+')) Eat('-');
            return Digits();
        }
        return true;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

/// Empty when `text` is a well-formed XML document, else what is wrong.
inline std::string XmlSyntaxError(const std::string& text) {
    std::vector<std::string> open;
    bool rootSeen = false;
    std::size_t i = text.rfind("<?xml", 0) == 0 ? text.find("?>") : 0;
    if (i == std::string::npos) return "unclosed declaration";
    if (i) i += 2;
    while (i < text.size()) {
        if (text[i] == '&') {
            const std::size_t semi = text.find(';', i);
            const std::string entity = text.substr(i, semi == std::string::npos ? 8 : semi - i + 1);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" &&
                entity != "&apos;" && entity.rfind("&#", 0) != 0)
                return "bad entity " + entity;
        }
        if (text[i] != '<') {
            if (open.empty() && !std::isspace(static_cast<unsigned char>(text[i])))
                return "text outside the root element";
            ++i;
            continue;
        }
        if (text.compare(i, 4, "<!--") == 0) {
            i = text.find("-->", i);
            if (i == std::string::npos) return "unclosed comment";
            i += 3;
            continue;
        }
        std::size_t end = i + 1;
        for (bool quoted = false; end < text.size() && (quoted || text[end] != '>'); ++end) {
            if (text[end] == '"') quoted = !quoted;
            if (!quoted && text[end] == '<') return "'<' inside a tag";
        }
        if (end >= text.size()) return "unclosed tag";
        const std::string tag = text.substr(i + 1, end - i - 1);
        i = end + 1;
        if (tag.empty()) return "empty tag";
        if (tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1)) return "stray <" + tag + ">";
            open.pop_back();
            continue;
        }
        const std::string name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
        if (open.empty() && std::exchange(rootSeen, true)) return "second root <" + name + ">";
        if (tag.back() != '/') open.push_back(name);
    }
    if (!open.empty()) return "<" + open.back() + "> never closed";
    return rootSeen ? "" : "no root element";
}

}  // namespace velmar::cli::test
