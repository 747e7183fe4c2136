// The XML encoding: pugixml parses the document (without recursion, and it is fuzzed upstream), and
// the property-list meanings are laid on its tree here, walked with a stack of fixed size.

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "PlistReaders.h"
#include "Foundation/PlistText.h"

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

// The next element at or after `n`; stops (with an empty node) at text that is not whitespace.
pugi::xml_node nextElement(pugi::xml_node n, bool& stray) {
    for (pugi::xml_node_type t; (t = n.type()) != pugi::node_null && t != pugi::node_element; n = n.next_sibling())
        if (isText(t) && !isBlank(n.value())) stray = true;
    return n;
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
class Find {
public:
    Find(std::span<const std::string_view> keys, std::span<pugi::xml_node_struct*> found) : keys_(keys), found_(found) {}
    void open(bool) {}
    void key(std::string_view k) { key_ = k; }
    void value(size_t depth, pugi::xml_node e) {
        if (depth != 1) return;
        for (size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i] == key_) found_[i] = e.internal_object();  // the last one wins
    }
    template <class Make>
    void add(Make&&) {}
    void number(NumberValue) {}
    void close() {}

private:
    std::span<const std::string_view> keys_;
    std::span<pugi::xml_node_struct*> found_;
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
bool leaf(pugi::xml_node e, Tag tag, Sink& sink, std::string& scratch) {
    const auto content = leafText(e, scratch);
    if (!content) return false;
    switch (tag) {
        case Tag::String:
            if (!text::isValidUTF8(*content)) return false;
            sink.add([&] { return NSString::string(*content); });
            return true;
        case Tag::Integer: {
            const auto v = text::parseInteger(*content);
            if (v) sink.number(NumberValue::integer(*v));
            return v.has_value();
        }
        case Tag::Real: {
            const auto v = text::parseReal(*content);
            if (v) sink.number(NumberValue::real(*v));
            return v.has_value();
        }
        case Tag::True:
        case Tag::False:
            if (!isBlank(*content)) return false;
            sink.number(NumberValue::boolean(tag == Tag::True));
            return true;
        case Tag::Date: {
            const auto v = text::parseDate(*content);
            if (v) sink.add([&] { return make<NSDate>(*v); });
            return v.has_value();
        }
        case Tag::Data: {
            auto v = text::parseBase64(*content);
            if (v) sink.add([&] { return make<NSData>(std::move(*v)); });
            return v.has_value();
        }
        default: return false;  // a key out of place, or an element that is no value
    }
}

// Walks the value at `root` and everything in it, checking every rule; false when one is broken.
template <class Sink>
bool walk(pugi::xml_node root, Sink& sink) {
    struct Frame {
        pugi::xml_node_struct* next;  // the next node to look at inside the container
        bool dictionary;
        bool keyed;  // a dictionary's key was read, its value not yet
    };
    std::array<Frame, kMaxNesting> stack;  // left uninitialised: only frames below `depth` are used
    size_t depth = 0;
    std::string scratch;

    auto settle = [&](pugi::xml_node e) {
        const Tag tag = tagOf(e);
        if (tag != Tag::Dictionary && tag != Tag::Array) return leaf(e, tag, sink, scratch);
        if (depth == stack.size()) return false;
        stack[depth++] = Frame{e.first_child().internal_object(), tag == Tag::Dictionary, false};
        sink.open(tag == Tag::Dictionary);
        return true;
    };

    if (!settle(root)) return false;
    while (depth) {
        Frame& f = stack[depth - 1];
        bool stray = false;
        const pugi::xml_node e = nextElement(pugi::xml_node(f.next), stray);
        if (stray) return false;
        if (e.type() == pugi::node_null) {
            if (f.keyed) return false;  // a key without its value
            sink.close();
            --depth;
            continue;
        }
        f.next = e.next_sibling().internal_object();
        if (f.dictionary && !f.keyed) {
            const auto key = tagOf(e) == Tag::Key ? leafText(e, scratch) : std::nullopt;
            if (!key || !text::isValidUTF8(*key)) return false;
            sink.key(*key);
            f.keyed = true;
            continue;
        }
        if (f.dictionary) sink.value(depth, e);
        f.keyed = false;
        if (!settle(e)) return false;
    }
    return true;
}

// The one value inside the document's <plist> element; empty when the document has another shape.
pugi::xml_node topValue(const pugi::xml_document& doc) {
    bool stray = false;
    const pugi::xml_node plist = nextElement(doc.first_child(), stray);
    if (stray || !plist || !sameName(plist.name(), "plist") || nextElement(plist.next_sibling(), stray) || stray)
        return {};
    const pugi::xml_node value = nextElement(plist.first_child(), stray);
    if (stray || !value || nextElement(value.next_sibling(), stray) || stray) return {};
    return value;
}

// Whether the text holds U+0000, raw or as a character reference. XML allows neither, and the parser
// would silently end the text there.
bool holdsNul(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return true;
    for (size_t at = bytes.find("&#"); at != std::string_view::npos; at = bytes.find("&#", at + 2)) {
        size_t i = at + 2;
        const bool hex = i < bytes.size() && bytes[i] == 'x';
        i += hex;
        const size_t digits = i;
        while (i < bytes.size() && bytes[i] == '0') ++i;
        if (i > digits && i < bytes.size() && bytes[i] == ';') return true;
    }
    return false;
}

// Parses the document; its top value, or an empty node when it is no well-formed property list.
pugi::xml_node load(pugi::xml_document& doc, std::string_view bytes) {
    if (holdsNul(bytes)) return {};
    // Whitespace between elements means nothing and is not kept, unless CDATA is about: then a
    // string's whitespace beside a CDATA section must survive.
    constexpr std::string_view kCDATA = "<![CDATA[";  // memmem: find() would stop at every '<'
    const bool cdata = ::memmem(bytes.data(), bytes.size(), kCDATA.data(), kCDATA.size()) != nullptr;
    const unsigned options = pugi::parse_default | (cdata ? pugi::parse_ws_pcdata : pugi::parse_ws_pcdata_single);
    if (!doc.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8)) return {};
    return topValue(doc);
}

}  // namespace

Ref<NSObject> parse(std::string_view bytes) {
    pugi::xml_document doc;
    const pugi::xml_node value = load(doc, bytes);
    Build sink;
    if (!value || !walk(value, sink)) return nullptr;
    return sink.take();
}

bool lookup(std::string_view bytes, std::span<const std::string_view> keys, std::span<Found> values) {
    pugi::xml_document doc;
    const pugi::xml_node top = load(doc, bytes);
    // Where each key's value was found; the hooks ask for a few keys at a time.
    std::array<pugi::xml_node_struct*, 8> few{};
    std::vector<pugi::xml_node_struct*> many(keys.size() > few.size() ? keys.size() : 0);
    const std::span<pugi::xml_node_struct*> found = many.empty() ? std::span(few).first(keys.size()) : std::span(many);
    Find find(keys, found);
    if (top.type() == pugi::node_null || tagOf(top) != Tag::Dictionary || !walk(top, find)) return false;
    for (size_t k = 0; k < keys.size(); ++k) {
        values[k] = {};
        Take sink(values[k]);
        if (found[k] && walk(pugi::xml_node(found[k]), sink)) sink.finish();
    }
    return true;
}

}  // namespace plist::xml
