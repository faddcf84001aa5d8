#include "tests/resources/xml_elements.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c) { return !IsSpace(c) && c != '/' && c != '>' && c != '=' && c != '<'; }

std::string LocalName(const std::string& name) {
    const size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<XmlElement> Document() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
        std::optional<XmlElement> root;
        while (SkipMisc(), at_ < text_.size()) {
            if (root || Peek("</")) return std::nullopt;
            root = Element();
            if (!root) return std::nullopt;
        }
        if (broken_) return std::nullopt;
        return root;
    }

private:
    bool Peek(std::string_view s) const { return text_.substr(at_, s.size()) == s; }

    bool SkipPast(std::string_view end) {
        const size_t found = text_.find(end, at_);
        if (found == std::string_view::npos) {
            at_ = text_.size();
            return false;
        }
        at_ = found + end.size();
        return true;
    }

    // White space, declarations and comments; stops at anything else.
    void SkipMisc() {
        for (;;) {
            while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
            if (Peek("<?")) {
                broken_ |= !SkipPast("?>");
            } else if (Peek("<!--")) {
                broken_ |= !SkipPast("-->");
            } else {
                return;
            }
        }
    }

    std::string Name() {
        const size_t start = at_;
        while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
        return std::string(text_.substr(start, at_ - start));
    }

    std::optional<XmlElement> Element() {
        if (!Peek("<")) return std::nullopt;
        ++at_;
        XmlElement element;
        const std::string qualified = Name();
        if (qualified.empty()) return std::nullopt;
        element.name = LocalName(qualified);
        for (;;) {
            while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
            if (Peek("/>")) {
                at_ += 2;
                return element;
            }
            if (Peek(">")) {
                ++at_;
                break;
            }
            const std::string attribute = Name();
            if (attribute.empty() || !Peek("=")) return std::nullopt;
            ++at_;
            if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return std::nullopt;
            const char quote = text_[at_++];
            const size_t end = text_.find(quote, at_);
            if (end == std::string_view::npos) return std::nullopt;
            const bool fresh =
                element.attributes.emplace(attribute, std::string(text_.substr(at_, end - at_)))
                    .second;
            if (!fresh) return std::nullopt;
            at_ = end + 1;
        }
        for (;;) {
            SkipMisc();
            if (broken_ || at_ >= text_.size()) return std::nullopt;
            if (Peek("</")) {
                at_ += 2;
                if (Name() != qualified) return std::nullopt;
                while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
                if (!Peek(">")) return std::nullopt;
                ++at_;
                return element;
            }
            std::optional<XmlElement> child = Element();
            if (!child) return std::nullopt;
            element.children.push_back(std::move(*child));
        }
    }

    std::string_view text_;
    size_t at_ = 0;
    bool broken_ = false;  // an unterminated declaration or comment
};

}  // namespace

std::optional<XmlElement> ParseXml(std::string_view text) { return Parser(text).Document(); }
