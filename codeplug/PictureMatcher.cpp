#include "codeplug/PictureMatcher.h"

#include <map>
#include <utility>
#include <vector>

namespace norda {

unsigned char UpperCase1254(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0xFD:
            return 'I';  // ı
        case 0x9A:
            return 0x8A;  // š
        case 0x9C:
            return 0x8C;  // œ
        case 0xFF:
            return 0x9F;  // ÿ
        case 0xDF:        // ß
        case 0xF7:
            return c;  // ÷
        default:
            break;
    }
    if (c >= 0xE0 && c <= 0xFE)
        return static_cast<unsigned char>(c - 0x20);
    return c;
}

bool IsLetter1254(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x9A:
        case 0x9C:
        case 0x9F:
        case 0xAA:
        case 0xB5:
        case 0xBA:
            return true;
        case 0xD7:
        case 0xF7:
            return false;
        default:
            return c >= 0xC0;
    }
}

struct PictureMatcher::Node {
    enum Kind {
        Alternatives,
        Sequence,
        Optional,
        Repeat,
        Digit,
        Letter,
        UpperLetter,
        Any,
        UpperAny,
        Literal
    };
    Kind kind = Sequence;
    unsigned char literal = 0;
    int count = -1;  // Repeat: -1 for any number
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

using Node = PictureMatcher::Node;

// Recursive descent over the picture; any syntax fault makes the picture invalid.
class Parser {
  public:
    explicit Parser(std::string_view p) : p_(p) {}
    std::unique_ptr<Node> Parse(bool& ok) {
        auto n = ParseAlternatives();
        ok = ok_ && pos_ == p_.size();
        return n;
    }

  private:
    std::unique_ptr<Node> ParseAlternatives() {
        auto alt = std::make_unique<Node>();
        alt->kind = Node::Alternatives;
        alt->children.push_back(ParseSequence());
        while (pos_ < p_.size() && p_[pos_] == ',') {
            ++pos_;
            alt->children.push_back(ParseSequence());
        }
        return alt;
    }
    std::unique_ptr<Node> ParseSequence() {
        auto seq = std::make_unique<Node>();
        seq->kind = Node::Sequence;
        while (ok_ && pos_ < p_.size() && p_[pos_] != ',' && p_[pos_] != ']' && p_[pos_] != '}')
            seq->children.push_back(ParseItem());
        return seq;
    }
    std::unique_ptr<Node> ParseItem() {
        auto n = std::make_unique<Node>();
        const char c = p_[pos_++];
        switch (c) {
            case '#':
                n->kind = Node::Digit;
                break;
            case '?':
                n->kind = Node::Letter;
                break;
            case '&':
                n->kind = Node::UpperLetter;
                break;
            case '@':
                n->kind = Node::Any;
                break;
            case '!':
                n->kind = Node::UpperAny;
                break;
            case ';':
                if (pos_ >= p_.size())
                    return Fail(std::move(n));
                n->kind = Node::Literal;
                n->literal = static_cast<unsigned char>(p_[pos_++]);
                break;
            case '*': {
                n->kind = Node::Repeat;
                int count = 0;
                bool counted = false;
                while (pos_ < p_.size() && p_[pos_] >= '0' && p_[pos_] <= '9' && count < 1000) {
                    count = count * 10 + (p_[pos_++] - '0');
                    counted = true;
                }
                n->count = counted ? count : -1;
                if (pos_ >= p_.size() || p_[pos_] == ',' || p_[pos_] == ']' || p_[pos_] == '}')
                    return Fail(std::move(n));
                n->children.push_back(ParseItem());
                break;
            }
            case '[':
            case '{': {
                const char close = c == '[' ? ']' : '}';
                auto inner = ParseAlternatives();
                if (pos_ >= p_.size() || p_[pos_] != close)
                    return Fail(std::move(n));
                ++pos_;
                if (c == '{')
                    return inner;
                n->kind = Node::Optional;
                n->children.push_back(std::move(inner));
                break;
            }
            default:
                n->kind = Node::Literal;
                n->literal = static_cast<unsigned char>(c);
                break;
        }
        return n;
    }
    std::unique_ptr<Node> Fail(std::unique_ptr<Node> n) {
        ok_ = false;
        return n;
    }

    std::string_view p_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// The states a match can be in: text position -> the text as the picture shapes it.
using States = std::map<size_t, std::string>;

class Matcher {
  public:
    explicit Matcher(std::string_view text) : text_(text) {}
    bool needMore = false;  // some path used up the text while the picture wanted more
    std::string partial;    // the text as that path shapes it

    States Run(const Node& n, const States& in) {
        States out;
        switch (n.kind) {
            case Node::Alternatives:
                for (const auto& c : n.children)
                    Merge(out, Run(*c, in));
                return out;
            case Node::Sequence: {
                States cur = in;
                for (const auto& c : n.children) {
                    if (cur.empty())
                        break;
                    cur = Run(*c, cur);
                }
                return cur;
            }
            case Node::Optional:
                out = in;
                Merge(out, Run(*n.children[0], in));
                return out;
            case Node::Repeat:
                if (n.count >= 0) {
                    States cur = in;
                    for (int i = 0; i < n.count && !cur.empty(); ++i)
                        cur = Run(*n.children[0], cur);
                    return cur;
                } else {
                    out = in;
                    States frontier = in;
                    while (!frontier.empty()) {
                        States next;
                        for (auto& [pos, s] : Run(*n.children[0], frontier)) {
                            if (out.emplace(pos, s).second)
                                next.emplace(pos, s);
                        }
                        frontier = std::move(next);
                    }
                    return out;
                }
            default:
                for (const auto& [pos, s] : in) {
                    if (pos >= text_.size()) {
                        if (!needMore)
                            partial = s;
                        needMore = true;
                        continue;
                    }
                    int shaped = Char(n, static_cast<unsigned char>(text_[pos]));
                    if (shaped >= 0)
                        out.emplace(pos + 1, s + static_cast<char>(shaped));
                }
                return out;
        }
    }

  private:
    static void Merge(States& into, const States& from) {
        for (const auto& [pos, s] : from)
            into.emplace(pos, s);
    }
    // The character as the picture takes it, -1 when it does not fit.
    static int Char(const Node& n, unsigned char c) {
        switch (n.kind) {
            case Node::Digit:
                return c >= '0' && c <= '9' ? c : -1;
            case Node::Letter:
                return IsLetter1254(c) ? c : -1;
            case Node::UpperLetter:
                return IsLetter1254(c) ? UpperCase1254(c) : -1;
            case Node::Any:
                return c;
            case Node::UpperAny:
                return UpperCase1254(c);
            default:
                return UpperCase1254(c) == UpperCase1254(n.literal) ? n.literal : -1;
        }
    }

    std::string_view text_;
};

}  // namespace

PictureMatcher::PictureMatcher(std::string_view picture) {
    root_ = Parser(picture).Parse(valid_);
}
PictureMatcher::~PictureMatcher() = default;
PictureMatcher::PictureMatcher(PictureMatcher&&) noexcept = default;
PictureMatcher& PictureMatcher::operator=(PictureMatcher&&) noexcept = default;

bool PictureMatcher::Valid() const {
    return valid_;
}

PictureResult PictureMatcher::Match(std::string& text) const {
    if (text.empty())
        return PictureResult::Empty;
    if (!valid_)
        return PictureResult::Error;
    Matcher m(text);
    const States end = m.Run(*root_, States{{0, std::string()}});
    if (auto it = end.find(text.size()); it != end.end()) {
        text = it->second;
        return PictureResult::Complete;
    }
    if (!m.needMore)
        return PictureResult::Error;
    text = m.partial;
    return PictureResult::Incomplete;
}

PictureResult PictureMatcher::Check(std::string_view text) const {
    std::string copy(text);
    return Match(copy);
}

}  // namespace norda
