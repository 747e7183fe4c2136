// The XML encoding: pugixml parses the document (without recursion, and it is fuzzed upstream), and
// the property-list meanings are laid on its tree here, walked with a stack of fixed size.

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <array>
#include <cstring>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "PlistReaders.h"
#include "plist/PlistText.h"

namespace plist::xml {
namespace {

enum class Tag { Dictionary, Array, Key, String, Integer, Real, True, False, Date, Data, Unknown };

// Element names are short; comparing in place beats a call per comparison.
bool sameName(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

Tag tagOf(pugi::xml_node e) {
    const char* name = e.name();
    auto is = [&](const char* tag, Tag t) { return sameName(name, tag) ? t : Tag::Unknown; };
    switch (name[0]) {
        case 'd':
            if (name[1] == 'i') return is("dict", Tag::Dictionary);
            return sameName(name, "date") ? Tag::Date : is("data", Tag::Data);
        case 'a': return is("array", Tag::Array);
        case 'k': return is("key", Tag::Key);
        case 's': return is("string", Tag::String);
        case 'i': return is("integer", Tag::Integer);
        case 'r': return is("real", Tag::Real);
        case 't': return is("true", Tag::True);
        case 'f': return is("false", Tag::False);
        default: return Tag::Unknown;
    }
}

// pugixml's accessors are calls into its library, so each node's type is asked once.
bool isText(pugi::xml_node_type t) { return t == pugi::node_pcdata || t == pugi::node_cdata; }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isBlank(std::string_view s) { return std::all_of(s.begin(), s.end(), isSpace); }
bool isBlank(const char* s) {
    while (isSpace(*s)) ++s;
    return *s == '\0';
}

// The next element at or after `n`; `stray` is set to any text on the way that is not whitespace.
pugi::xml_node nextElement(pugi::xml_node n, pugi::xml_node& stray) {
    for (pugi::xml_node_type t; (t = n.type()) != pugi::node_null && t != pugi::node_element; n = n.next_sibling())
        if (isText(t) && !isBlank(n.value()) && !stray) stray = n;
    return n;
}

// Says which rule broke and where, for a person (plutil -lint, the store's log); costs nothing
// until a rule breaks, and nothing at all when nobody asked.
class Trouble {
public:
    Trouble(std::string* out, std::string_view text) : out_(out), text_(text) {}
    bool at(pugi::xml_node n, std::string_view what) { return atOffset(n ? n.offset_debug() : -1, what); }
    bool atOffset(ptrdiff_t offset, std::string_view what) {
        if (!out_) return false;
        *out_ = what;
        if (offset >= 0 && static_cast<size_t>(offset) <= text_.size())
            *out_ += " at line " + std::to_string(1 + std::count(text_.begin(), text_.begin() + offset, '\n'));
        return false;
    }
    bool says() const { return out_ != nullptr; }

private:
    std::string* out_;
    std::string_view text_;
};

std::string tagText(pugi::xml_node e) { return "<" + std::string(e.name()) + ">"; }

// A value's text as a message quotes it: short, on one line.
std::string quoted(std::string_view text) {
    std::string shown(text.substr(0, 40));
    for (char& c : shown)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    return "'" + shown + (text.size() > 40 ? "...'" : "'");
}

// The text of a leaf element, its text and CDATA parts joined; nullopt when it holds an element.
std::optional<std::string_view> leafText(pugi::xml_node e, std::string& scratch) {
    const pugi::xml_node first = e.first_child();
    const pugi::xml_node_type type = first.type();
    if (type == pugi::node_null) return std::string_view();
    if (!isText(type)) return std::nullopt;
    pugi::xml_node n = first.next_sibling();
    if (n.type() == pugi::node_null) return std::string_view(first.value());
    scratch.assign(first.value());
    for (pugi::xml_node_type t; (t = n.type()) != pugi::node_null; n = n.next_sibling()) {
        if (!isText(t)) return std::nullopt;
        scratch += n.value();
    }
    return std::string_view(scratch);
}

// Makes no objects, but notes which elements hold the values of the top dictionary's `keys`.
// Checks the whole tree, keeping each entry of the top dictionary: its key (copied, as a key's text
// may have been pieced together) and its value's element.
class Find {
public:
    using Entries = std::vector<std::pair<std::string, pugi::xml_node_struct*>>;
    explicit Find(Entries& entries) : entries_(entries) {}
    void open(bool) {}
    void key(std::string_view k) { key_ = k; }
    void value(size_t depth, pugi::xml_node e) {
        if (depth == 1) entries_.emplace_back(key_, e.internal_object());
    }
    template <class Make>
    void add(Make&&) {}
    void number(NumberValue) {}
    void close() {}

private:
    Entries& entries_;
    std::string_view key_;
};

// Makes the value tree as the walk goes; a key given twice keeps its last value.
class Build {
public:
    void open(bool dictionary) { open_.push_back(Open{dictionary, {}, {}, {}}); }
    void key(std::string_view k) { open_.back().key.assign(k); }
    void value(size_t, pugi::xml_node) {}
    template <class Make>
    void add(Make&& make) { place(make()); }
    void number(NumberValue n) { place(make<NSNumber>(n)); }
    void close() {
        Open o = std::move(open_.back());
        open_.pop_back();
        place(o.dictionary ? Ref<NSObject>(make<NSDictionary>(std::move(o.entries)))
                           : Ref<NSObject>(make<NSArray>(std::move(o.items))));
    }
    Ref<NSObject> take() { return std::move(result_); }

protected:
    bool building() const { return !open_.empty(); }

private:
    struct Open {
        bool dictionary;
        std::vector<Ref<NSObject>> items;
        NSDictionary::Storage entries;
        std::string key;
    };
    void place(Ref<NSObject> value) {
        if (open_.empty()) result_ = std::move(value);
        else if (open_.back().dictionary) open_.back().entries.insert_or_assign(std::move(open_.back().key), std::move(value));
        else open_.back().items.push_back(std::move(value));
    }
    std::vector<Open> open_;
    Ref<NSObject> result_;
};

// Reads one value found by key: a number standing alone stays a plain value, anything else is made.
class Take : public Build {
public:
    explicit Take(Found& found) : found_(found) {}
    void number(NumberValue n) {
        if (building()) Build::number(n);
        else found_.number = n;
    }
    void finish() { found_.object = take(); }

private:
    Found& found_;
};

// Checks one value element that holds no others, and hands the sink how to make its object.
template <class Sink>
bool leaf(pugi::xml_node e, Tag tag, Sink& sink, std::string& scratch, Trouble& trouble) {
    const auto content = leafText(e, scratch);
    if (!content) return trouble.at(e, tag == Tag::Unknown ? "unexpected element " + tagText(e) : tagText(e) + " holds an element");
    switch (tag) {
        case Tag::String:
            if (!text::isValidUTF8(*content)) return trouble.at(e, "a <string> that is not valid UTF-8");
            sink.add([&] { return NSString::string(*content); });
            return true;
        case Tag::Integer: {
            const auto v = text::parseInteger(*content);
            if (!v) return trouble.at(e, "<integer> " + quoted(*content) + " is not an integer from -2^63 to 2^64-1");
            sink.number(*v);
            return true;
        }
        case Tag::Real: {
            const auto v = text::parseReal(*content);
            if (!v) return trouble.at(e, "<real> " + quoted(*content) + " is not a number");
            sink.number(NumberValue::real(*v));
            return true;
        }
        case Tag::True:
        case Tag::False:
            if (!isBlank(*content)) return trouble.at(e, tagText(e) + " holds text");
            sink.number(NumberValue::boolean(tag == Tag::True));
            return true;
        case Tag::Date: {
            const auto v = text::parseDate(*content);
            if (!v) return trouble.at(e, "<date> " + quoted(*content) + " is not a date YYYY-MM-DDTHH:MM:SSZ");
            sink.add([&] { return make<NSDate>(*v); });
            return true;
        }
        case Tag::Data: {
            auto v = text::parseBase64(*content);
            if (!v) return trouble.at(e, "<data> is not base64");
            sink.add([&] { return make<NSData>(std::move(*v)); });
            return true;
        }
        case Tag::Key: return trouble.at(e, "a <key> where a value belongs");
        default: return trouble.at(e, "unexpected element " + tagText(e));
    }
}

// Walks the value at `root` and everything in it, checking every rule; false when one is broken.
template <class Sink>
bool walk(pugi::xml_node root, Sink& sink, Trouble& trouble) {
    struct Frame {
        pugi::xml_node_struct* next;  // the next node to look at inside the container
        pugi::xml_node_struct* key;   // a dictionary's key read, its value not yet; else null
        bool dictionary;
    };
    std::array<Frame, kMaxNesting> stack;  // left uninitialised: only frames below `depth` are used
    size_t depth = 0;
    std::string scratch;

    auto settle = [&](pugi::xml_node e) {
        const Tag tag = tagOf(e);
        if (tag != Tag::Dictionary && tag != Tag::Array) return leaf(e, tag, sink, scratch, trouble);
        if (depth == stack.size()) return trouble.at(e, "nested deeper than " + std::to_string(kMaxNesting) + " levels");
        stack[depth++] = Frame{e.first_child().internal_object(), nullptr, tag == Tag::Dictionary};
        sink.open(tag == Tag::Dictionary);
        return true;
    };

    if (!settle(root)) return false;
    while (depth) {
        Frame& f = stack[depth - 1];
        pugi::xml_node stray;
        const pugi::xml_node e = nextElement(pugi::xml_node(f.next), stray);
        if (stray) return trouble.at(stray, "text between values");
        if (e.type() == pugi::node_null) {
            if (f.key) {
                if (!trouble.says()) return false;
                return trouble.at(pugi::xml_node(f.key), "missing value for key " + quoted(*leafText(pugi::xml_node(f.key), scratch)));
            }
            sink.close();
            --depth;
            continue;
        }
        f.next = e.next_sibling().internal_object();
        if (f.dictionary && !f.key) {
            if (tagOf(e) != Tag::Key) return trouble.at(e, "expected a <key>, found " + tagText(e));
            const auto key = leafText(e, scratch);
            if (!key) return trouble.at(e, "<key> holds an element");
            if (!text::isValidUTF8(*key)) return trouble.at(e, "a <key> that is not valid UTF-8");
            sink.key(*key);
            f.key = e.internal_object();
            continue;
        }
        if (f.dictionary) sink.value(depth, e);
        f.key = nullptr;
        if (!settle(e)) return false;
    }
    return true;
}

// The one value inside the document's <plist> element; empty when the document has another shape.
pugi::xml_node topValue(const pugi::xml_document& doc, Trouble& trouble) {
    pugi::xml_node stray;
    const pugi::xml_node plist = nextElement(doc.first_child(), stray);
    if (stray) return trouble.at(stray, "text outside the <plist> element"), pugi::xml_node();
    if (!plist) return trouble.atOffset(-1, "no <plist> element"), pugi::xml_node();
    if (!sameName(plist.name(), "plist")) return trouble.at(plist, "the document is " + tagText(plist) + ", not <plist>"), pugi::xml_node();
    if (const pugi::xml_node after = nextElement(plist.next_sibling(), stray); after || stray)
        return trouble.at(after ? after : stray, "something after the <plist> element"), pugi::xml_node();
    const pugi::xml_node value = nextElement(plist.first_child(), stray);
    if (stray) return trouble.at(stray, "text between values"), pugi::xml_node();
    if (!value) return trouble.at(plist, "an empty <plist>"), pugi::xml_node();
    if (const pugi::xml_node second = nextElement(value.next_sibling(), stray); second || stray)
        return trouble.at(second ? second : stray, "more than one value in <plist>"), pugi::xml_node();
    return value;
}

// Whether the text holds U+0000, raw or as a character reference. XML allows neither, and the parser
// would silently end the text there.
// Where the text holds U+0000, raw or as a character reference; npos when it does not.
size_t nulAt(std::string_view bytes) {
    if (const size_t raw = bytes.find('\0'); raw != std::string_view::npos) return raw;
    for (size_t at = bytes.find("&#"); at != std::string_view::npos; at = bytes.find("&#", at + 2)) {
        size_t i = at + 2;
        const bool hex = i < bytes.size() && bytes[i] == 'x';
        i += hex;
        const size_t digits = i;
        while (i < bytes.size() && bytes[i] == '0') ++i;
        if (i > digits && i < bytes.size() && bytes[i] == ';') return at;
    }
    return std::string_view::npos;
}

// The document as UTF-8, the encoding the rest of the reader takes. XML may be UTF-16 (told by a
// byte-order mark, or by "<?" in either byte order) or UTF-8 with or without a mark; a document
// that declares any other encoding is refused, as its bytes would be misread.
std::optional<std::string_view> asUTF8(std::string_view bytes, std::string& converted, Trouble& trouble) {
    // What every writer puts first, checked at once: the hooks read on every call.
    constexpr std::string_view kUsual = R"(<?xml version="1.0" encoding="UTF-8"?>)";
    if (bytes.starts_with(kUsual)) return bytes;
    auto starts = [&](std::string_view prefix) { return bytes.starts_with(prefix); };
    using namespace std::string_view_literals;
    const bool little = starts("\xFF\xFE"sv) || starts("<\0?\0"sv);
    const bool big = starts("\xFE\xFF"sv) || starts("\0<\0?"sv);
    if (little || big) {
        if (bytes.size() % 2) return trouble.atOffset(-1, "UTF-16 of an odd number of bytes"), std::nullopt;
        const size_t skip = starts("\xFF\xFE"sv) || starts("\xFE\xFF"sv) ? 2 : 0;
        std::string units(bytes.substr(skip));
        if (little)
            for (size_t i = 0; i + 1 < units.size(); i += 2) std::swap(units[i], units[i + 1]);
        const auto* p = reinterpret_cast<const uint8_t*>(units.data());
        if (!text::utf8LengthOfUTF16(p, units.size() / 2))
            return trouble.atOffset(-1, "UTF-16 holding a lone surrogate or U+0000"), std::nullopt;
        converted.clear();
        text::appendUTF16(p, units.size() / 2, converted);
        return std::string_view(converted);
    }
    if (starts("\xEF\xBB\xBF"sv)) bytes.remove_prefix(3);
    // The declaration, if any, must name what the bytes are.
    if (bytes.starts_with("<?xml")) {
        const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
        const size_t at = declaration.find("encoding");
        if (at != std::string_view::npos) {
            const size_t quote = declaration.find_first_of("\"'", at);
            const size_t end = quote == std::string_view::npos ? quote : declaration.find(declaration[quote], quote + 1);
            if (end == std::string_view::npos) return trouble.atOffset(0, "an XML declaration without its encoding's name"), std::nullopt;
            std::string name(declaration.substr(quote + 1, end - quote - 1));
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (name != "utf-8" && name != "utf8" && name != "us-ascii" && name != "ascii")
                return trouble.atOffset(-1, "the encoding " + quoted(name) + ", where only UTF-8 and UTF-16 are read"), std::nullopt;
        }
    }
    return bytes;
}

// Whether the text starts as JSON does, which people take for a property list.
bool looksLikeJSON(std::string_view bytes) {
    const size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && (bytes[first] == '{' || bytes[first] == '[');
}

// The parsed document: its top value (empty when it is no well-formed property list) and the UTF-8
// text it was parsed from, which the lines of later messages count in.
struct Loaded {
    pugi::xml_node top;
    std::string_view text;
};

Loaded load(pugi::xml_document& doc, std::string_view original, std::string& converted, std::string* problem) {
    Trouble trouble(problem, original);
    const auto utf8 = asUTF8(original, converted, trouble);
    if (!utf8) return {};
    const std::string_view bytes = *utf8;
    trouble = Trouble(problem, bytes);
    if (!bytes.starts_with('<') && looksLikeJSON(bytes)) return trouble.atOffset(-1, "this looks like JSON, which is not a property list"), Loaded{};
    if (const size_t nul = nulAt(bytes); nul != std::string_view::npos)
        return trouble.atOffset(static_cast<ptrdiff_t>(nul), "U+0000, which XML cannot hold"), Loaded{};
    // Whitespace between elements means nothing and is not kept, unless CDATA is about: then a
    // string's whitespace beside a CDATA section must survive.
    constexpr std::string_view kCDATA = "<![CDATA[";  // memmem: find() would stop at every '<'
    const bool cdata = ::memmem(bytes.data(), bytes.size(), kCDATA.data(), kCDATA.size()) != nullptr;
    const unsigned options = pugi::parse_default | (cdata ? pugi::parse_ws_pcdata : pugi::parse_ws_pcdata_single);
    const pugi::xml_parse_result parsed = doc.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
    if (!parsed) return trouble.atOffset(parsed.offset, "XML that is not well-formed (" + std::string(parsed.description()) + ")"), Loaded{};
    return Loaded{topValue(doc, trouble), bytes};
}

}  // namespace

Ref<NSObject> parse(std::string_view bytes, std::string* problem) {
    pugi::xml_document doc;
    std::string converted;
    const Loaded loaded = load(doc, bytes, converted, problem);
    Build sink;
    Trouble trouble(problem, loaded.text);
    if (!loaded.top || !walk(loaded.top, sink, trouble)) return nullptr;
    return sink.take();
}

namespace {

// The parsed document, kept: a key's value is read from its element when asked for.
class Index : public DictionaryIndex {
public:
    bool open(std::string_view bytes) {
        std::string converted;
        top_ = load(doc_, bytes, converted, nullptr).top;
        entries_.reserve(16);  // a preference file holds about ten
        Find find(entries_);
        Trouble silent(nullptr, {});
        return top_.type() != pugi::node_null && tagOf(top_) == Tag::Dictionary && walk(top_, find, silent);
    }

    bool find(std::string_view key, Found& found) const override {
        found = {};
        // The last entry with the key wins.
        auto it = std::find_if(entries_.rbegin(), entries_.rend(), [&](const auto& e) { return e.first == key; });
        if (it == entries_.rend()) return false;
        Take sink(found);
        Trouble silent(nullptr, {});
        if (walk(pugi::xml_node(it->second), sink, silent)) sink.finish();
        return true;
    }

    Ref<NSObject> build() const override {
        Build sink;
        Trouble silent(nullptr, {});
        return walk(top_, sink, silent) ? sink.take() : nullptr;
    }

private:
    pugi::xml_document doc_;
    pugi::xml_node top_;
    Find::Entries entries_;
};

}  // namespace

std::unique_ptr<DictionaryIndex> index(std::string_view bytes) {
    auto index = std::make_unique<Index>();
    if (!index->open(bytes)) return nullptr;
    return index;
}

}  // namespace plist::xml
