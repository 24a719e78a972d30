#pragma once
// Syntax checks of what the tool writes for other programs: a JSON text
// (RFC 8259) and an XML document (one root, tags closed in order, quoted
// attributes, known entities). Structure only.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
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
    char Peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }
    bool Eat(char c) { return Peek() == c && (++i_, true); }
    void Space() {
        while (Peek() && std::strchr(" \t\r\n", Peek())) ++i_;
    }
    bool Digits() {
        const std::size_t start = i_;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) ++i_;
        return i_ > start;
    }
    bool Value(int depth) {
        Space();
        if (depth > 64 || !Peek()) return false;
        if (Peek() == '{' || Peek() == '[') return Composite(depth);
        if (Peek() == '"') return String();
        for (std::string_view word : {"true", "false", "null"})
            if (s_.substr(i_, word.size()) == word) return (i_ += word.size(), true);
        Eat('-');
        if ((!Eat('0') && !Digits()) || (Eat('.') && !Digits())) return false;
        if (!Eat('e') && !Eat('E')) return true;
        if (!Eat('+')) Eat('-');
        return Digits();
    }
    bool Composite(int depth) {
        const char close = s_[i_++] == '{' ? '}' : ']';
        if (Space(), Eat(close)) return true;
        do {
            if (close == '}' && !(Space(), String() && (Space(), Eat(':')))) return false;
            if (!Value(depth + 1)) return false;
            Space();
        } while (Eat(','));
        return Eat(close);
    }
    bool String() {
        if (!Eat('"')) return false;
        while (i_ < s_.size()) {
            const unsigned char c = s_[i_++];
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') continue;
            const char e = Peek();
            ++i_;
            if (e == 'u') {
                for (int k = 0; k < 4; ++k, ++i_)
                    if (!std::isxdigit(static_cast<unsigned char>(Peek()))) return false;
            } else if (!e || !std::strchr("\"\\/bfnrt", e)) {
                return false;
            }
        }
        return false;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

/// Empty when `text` is a well-formed XML document, else what is wrong.
inline std::string XmlSyntaxError(const std::string& text) {
    static const std::string kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#"};
    std::vector<std::string> open;
    bool rootSeen = false;
    std::size_t i = text.rfind("<?xml", 0) == 0 ? text.find("?>") : 0;
    if (i == std::string::npos) return "unclosed declaration";
    for (i += i ? 2 : 0; i < text.size();) {
        if (text.compare(i, 4, "<!--") == 0) {
            if ((i = text.find("-->", i)) == std::string::npos) return "unclosed comment";
            i += 3;
        } else if (text[i] == '<') {
            std::size_t end = i + 1;
            for (bool quoted = false; end < text.size() && (quoted || text[end] != '>'); ++end) {
                if (text[end] == '"') quoted = !quoted;
                if (!quoted && text[end] == '<') return "'<' inside a tag";
            }
            if (end >= text.size()) return "unclosed tag";
            const std::string tag = text.substr(i + 1, end - i - 1);
            const std::string name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
            i = end + 1;
            if (tag.empty()) return "empty tag";
            if (tag[0] == '/') {
                if (open.empty() || "/" + open.back() != tag) return "stray <" + tag + ">";
                open.pop_back();
            } else {
                if (open.empty() && std::exchange(rootSeen, true)) return "second root " + name;
                if (tag.back() != '/') open.push_back(name);
            }
        } else {
            if (text[i] == '&' &&
                std::none_of(std::begin(kEntities), std::end(kEntities), [&](const std::string& e) {
                    return text.compare(i, e.size(), e) == 0;
                }))
                return "bad entity at " + std::to_string(i);
            if (open.empty() && !std::isspace(static_cast<unsigned char>(text[i])))
                return "text outside the root element";
            ++i;
        }
    }
    if (!open.empty()) return "<" + open.back() + "> never closed";
    return rootSeen ? "" : "no root element";
}

}  // namespace velmar::cli::test
