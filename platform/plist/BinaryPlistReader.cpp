// The binary encoding, read by hand: no library reads it safely. Every count, offset and reference is
// checked against the input before use. Objects are visited depth first with a stack of fixed size,
// each object once however often it is referenced, so time and memory stay linear in the input and a
// shared object becomes one shared value.

#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "Foundation/NSArray.h"
#include "Foundation/NSData.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "PlistReaders.h"
#include "plist/PlistText.h"

namespace plist::binary {
namespace {

constexpr std::string_view kMagic = "bplist00";
constexpr size_t kTrailerBytes = 32;

uint64_t bigEndian(const uint8_t* p, size_t n) {
    // Offsets and references of a preference file take a byte or two: those need no loop.
    if (n == 1) return p[0];
    if (n == 2) return uint64_t{p[0]} << 8 | p[1];
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v = v << 8 | p[i];
    return v;
}

enum class Kind : uint8_t { Boolean, Integer, Real, Date, Data, Ascii, UTF16, Array, Dictionary };

bool isContainer(Kind k) { return k == Kind::Array || k == Kind::Dictionary; }
bool isString(Kind k) { return k == Kind::Ascii || k == Kind::UTF16; }

// One object's marker, decoded: `count` is the payload's length in its own units (bytes, UTF-16
// units, references; a dictionary's keys and values counted together) and fits before the offset table.
struct Object {
    Kind kind;
    bool boolean;
    size_t count;
    const uint8_t* payload;
};

class Document {
public:
    // Checks the header, the trailer and where the offset table lies.
    bool open(std::string_view bytes) {
        if (bytes.size() < kMagic.size() + kTrailerBytes || bytes.substr(0, kMagic.size()) != kMagic) return false;
        base_ = reinterpret_cast<const uint8_t*>(bytes.data());
        const uint8_t* trailer = base_ + bytes.size() - kTrailerBytes;
        offsetSize_ = trailer[6];
        refSize_ = trailer[7];
        const uint64_t objects = bigEndian(trailer + 8, 8), top = bigEndian(trailer + 16, 8);
        const uint64_t table = bigEndian(trailer + 24, 8);
        const size_t tableRoom = bytes.size() - kTrailerBytes;
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
        if (table < kMagic.size() || table > tableRoom || objects == 0 || top >= objects) return false;
        if (objects > (tableRoom - table) / offsetSize_) return false;
        table_ = static_cast<size_t>(table);
        objects_ = static_cast<size_t>(objects);
        top_ = static_cast<size_t>(top);
        return true;
    }

    size_t count() const { return objects_; }
    size_t top() const { return top_; }

    // Decodes the object with this number into `o`, its payload within the object area; false when
    // it breaks a rule. (Results go out through a reference: an optional copied back whole stalls
    // on every object of the hook's hot path.)
    bool object(size_t index, Object& o) const {
        const uint64_t offset = bigEndian(base_ + table_ + index * offsetSize_, offsetSize_);
        if (offset < kMagic.size() || offset >= table_) return false;
        const uint8_t* p = base_ + offset;
        const uint8_t* end = base_ + table_;
        const unsigned high = *p >> 4, low = *p & 0xF;
        ++p;
        switch (high) {
            case 0x0:
                if (low != 0x8 && low != 0x9) return false;  // null and fill are no values here
                o = Object{Kind::Boolean, low == 0x9, 0, p};
                return true;
            case 0x1: return low <= 4 && sized(Kind::Integer, size_t{1} << low, p, end, o);
            case 0x2: return (low == 2 || low == 3) && sized(Kind::Real, size_t{1} << low, p, end, o);
            case 0x3: return low == 3 && sized(Kind::Date, 8, p, end, o);
            case 0x4: return counted(Kind::Data, low, 1, p, end, o);
            case 0x5: return counted(Kind::Ascii, low, 1, p, end, o);
            case 0x6: return counted(Kind::UTF16, low, 2, p, end, o);
            case 0xA:  // array
            case 0xC:  // set: no set type here, so its members read as an array
                return counted(Kind::Array, low, refSize_, p, end, o);
            case 0xD:
                if (!counted(Kind::Dictionary, low, 2 * refSize_, p, end, o)) return false;
                o.count *= 2;
                return true;
            default: return false;  // UIDs, ordered sets and unassigned markers
        }
    }

    // Reference number `slot` of a container's payload; nullopt past the object count.
    std::optional<size_t> reference(const uint8_t* refs, size_t slot) const {
        const uint64_t index = bigEndian(refs + slot * refSize_, refSize_);
        if (index >= objects_) return std::nullopt;
        return static_cast<size_t>(index);
    }

private:
    static bool sized(Kind kind, size_t bytes, const uint8_t* p, const uint8_t* end, Object& o) {
        if (static_cast<size_t>(end - p) < bytes) return false;
        o = Object{kind, false, bytes, p};
        return true;
    }
    // A count in the marker's low nibble, or (0xF) in the integer object that follows it.
    static bool counted(Kind kind, unsigned low, size_t unit, const uint8_t* p, const uint8_t* end, Object& o) {
        uint64_t count = low;
        if (low == 0xF) {
            if (p == end || (*p >> 4) != 0x1 || (*p & 0xF) > 3) return false;
            const size_t width = size_t{1} << (*p & 0xF);
            ++p;
            if (static_cast<size_t>(end - p) < width) return false;
            count = bigEndian(p, width);
            p += width;
        }
        if (count > static_cast<size_t>(end - p) / unit) return false;
        o = Object{kind, false, static_cast<size_t>(count), p};
        return true;
    }

    const uint8_t* base_ = nullptr;
    size_t table_ = 0, objects_ = 0, top_ = 0;
    size_t offsetSize_ = 0, refSize_ = 0;
};

// Integers of 1, 2 and 4 bytes are unsigned, of 8 signed; 16 bytes hold a signed 128-bit value,
// which Cocoa writes for unsigned 64-bit ones. Apple's readers take -2^63 to 2^64-1 of them.
std::optional<NumberValue> integerOf(const Object& o) {
    if (o.count < 8) return NumberValue::integer(static_cast<long long>(bigEndian(o.payload, o.count)));
    const uint64_t low = bigEndian(o.payload + o.count - 8, 8);
    if (o.count == 16) {
        const uint64_t high = bigEndian(o.payload, 8);
        if (high == 0) return NumberValue::unsignedInteger(low);
        if (high != ~uint64_t{0} || !(low >> 63)) return std::nullopt;
    }
    return NumberValue::integer(static_cast<long long>(low));
}

double realOf(const Object& o) {
    const uint64_t bits = bigEndian(o.payload, o.count);
    if (o.count == 4) {
        float f;
        const auto narrow = static_cast<uint32_t>(bits);
        std::memcpy(&f, &narrow, sizeof f);
        return f;
    }
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// Whether an ASCII string holds only ASCII, and no U+0000.
bool asciiValid(const Object& o) {
    for (size_t i = 0; i < o.count; ++i)
        if (o.payload[i] == 0 || o.payload[i] >= 0x80) return false;
    return true;
}

// Whether a scalar's contents are valid (its marker and bounds are checked already).
bool scalarValid(const Object& o, uint32_t& keyLength) {
    switch (o.kind) {
        case Kind::Integer: return integerOf(o).has_value();
        case Kind::Ascii:
            keyLength = static_cast<uint32_t>(o.count);
            return asciiValid(o);
        case Kind::UTF16: {
            const auto length = text::utf8LengthOfUTF16(o.payload, o.count);
            keyLength = static_cast<uint32_t>(length.value_or(0));
            return length.has_value();
        }
        default: return true;
    }
}

std::optional<NumberValue> numberOf(const Object& o) {
    switch (o.kind) {
        case Kind::Boolean: return NumberValue::boolean(o.boolean);
        case Kind::Integer: return *integerOf(o);
        case Kind::Real: return NumberValue::real(realOf(o));
        default: return std::nullopt;
    }
}

Ref<NSObject> makeScalar(const Object& o) {
    if (const auto number = numberOf(o)) return make<NSNumber>(*number);
    switch (o.kind) {
        case Kind::Date: return make<NSDate>(realOf(o));
        case Kind::Data: return make<NSData>(std::string(reinterpret_cast<const char*>(o.payload), o.count));
        case Kind::Ascii: return NSString::string(std::string_view(reinterpret_cast<const char*>(o.payload), o.count));
        case Kind::UTF16: {
            std::string s;
            s.reserve(o.count);
            text::appendUTF16(o.payload, o.count, s);
            return make<NSString>(std::move(s));
        }
        default: return nullptr;
    }
}

// What the walk knows of each object.
struct Info {
    uint32_t keyLength = 0;  // UTF-8 length, for strings
    uint16_t height = 0;     // containers nested in it, itself included
    uint8_t state = 0;       // kNew, kOpen, kDone
    bool string = false;
};
constexpr uint8_t kNew = 0, kOpen = 1, kDone = 2;

// One Info per object, on the stack for files as small as preference files.
class InfoTable {
public:
    explicit InfoTable(size_t n) {
        if (n > local_.size()) heap_.resize(n);
        data_ = n > local_.size() ? heap_.data() : local_.data();
    }
    Info& operator[](size_t i) { return data_[i]; }

private:
    std::array<Info, 64> local_{};
    std::vector<Info> heap_;
    Info* data_;
};

// Dictionary keys are copied into each dictionary that uses them; a key string shared by many
// dictionaries must not turn a small file into gigabytes of copies.
size_t keyBudget(size_t inputBytes) { return 32 * inputBytes + 65536; }

// Makes no objects: for checking a file whose values are not wanted.
struct Check {
    void scalar(size_t, const Object&) {}
    void container(size_t, const Object&) {}
};

// Makes each object once, when its members are made; shared references share the object.
class Build {
public:
    explicit Build(const Document& doc) : doc_(doc), objects_(doc.count()) {}
    void scalar(size_t index, const Object& o) { objects_[index] = makeScalar(o); }
    void container(size_t index, const Object& o) {
        if (o.kind == Kind::Array) {
            std::vector<Ref<NSObject>> items;
            items.reserve(o.count);
            for (size_t i = 0; i < o.count; ++i) items.push_back(objects_[*doc_.reference(o.payload, i)]);
            objects_[index] = make<NSArray>(std::move(items));
            return;
        }
        NSDictionary::Storage entries;
        const size_t n = o.count / 2;
        for (size_t i = 0; i < n; ++i) {
            const auto* key = static_cast<const NSString*>(objects_[*doc_.reference(o.payload, i)].get());
            entries.insert_or_assign(key->str(), objects_[*doc_.reference(o.payload, n + i)]);  // last one wins
        }
        objects_[index] = make<NSDictionary>(std::move(entries));
    }
    Ref<NSObject> take(size_t index) { return std::move(objects_[index]); }

private:
    const Document& doc_;
    std::vector<Ref<NSObject>> objects_;
};

struct Frame {
    size_t index;
    Object object;
    size_t next;
    uint16_t height;  // the tallest member so far
};

// Visits everything reachable from `root`, checking every rule; the sink sees each object once,
// after all its members. False when any rule is broken.
template <class Sink>
bool walk(const Document& doc, size_t root, size_t inputBytes, Sink& sink) {
    InfoTable infos(doc.count());
    std::array<Frame, kMaxNesting> stack;  // left uninitialised: only frames below `depth` are used
    size_t depth = 0;
    size_t keyBytes = 0;
    const size_t budget = keyBudget(inputBytes);

    // Settles an object reached from the top frame (or the root): a scalar at once, a finished object
    // by what is known of it, a new container by opening a frame for it.
    auto visit = [&](size_t index, bool asKey) {
        Info& info = infos[index];
        if (info.state == kOpen) return false;  // a cycle
        if (info.state == kNew) {
            Object o;
            if (!doc.object(index, o)) return false;
            if (isContainer(o.kind)) {
                if (asKey || depth == stack.size()) return false;
                info.state = kOpen;
                stack[depth++] = Frame{index, o, 0, 0};
                return true;
            }
            if (!scalarValid(o, info.keyLength)) return false;
            info.string = isString(o.kind);
            info.state = kDone;
            sink.scalar(index, o);
        }
        if (asKey && (!info.string || (keyBytes += info.keyLength) > budget)) return false;
        if (depth) stack[depth - 1].height = std::max(stack[depth - 1].height, info.height);
        return true;
    };

    if (!visit(root, false)) return false;
    while (depth) {
        Frame& f = stack[depth - 1];
        if (f.next < f.object.count) {
            const size_t slot = f.next++;
            const auto index = doc.reference(f.object.payload, slot);
            const bool asKey = f.object.kind == Kind::Dictionary && slot < f.object.count / 2;
            if (!index || !visit(*index, asKey)) return false;
            continue;
        }
        Info& info = infos[f.index];
        info.height = static_cast<uint16_t>(f.height + 1);
        if (info.height > kMaxNesting) return false;
        info.state = kDone;
        sink.container(f.index, f.object);
        --depth;
        if (depth) stack[depth - 1].height = std::max(stack[depth - 1].height, info.height);
    }
    return true;
}

Ref<NSObject> build(const Document& doc, size_t root, size_t inputBytes) {
    Build sink(doc);
    if (!walk(doc, root, inputBytes, sink)) return nullptr;
    return sink.take(root);
}

bool keyEquals(const Object& key, std::string_view wanted) {
    if (key.kind == Kind::UTF16) return text::utf16Equals(key.payload, key.count, wanted);
    return key.count == wanted.size() && std::memcmp(key.payload, wanted.data(), key.count) == 0;
}

}  // namespace

bool claims(std::string_view bytes) { return bytes.starts_with("bplist"); }

Ref<NSObject> parse(std::string_view bytes) {
    Document doc;
    if (!doc.open(bytes)) return nullptr;
    return build(doc, doc.top(), bytes.size());
}

namespace {

// Its own copy of the bytes, checked once; a key's value is found among the top dictionary's
// entries and read from there.
class Index : public DictionaryIndex {
public:
    explicit Index(std::string_view bytes) : bytes_(bytes) {}

    bool open() {
        Check check;
        if (!doc_.open(bytes_) || !walk(doc_, doc_.top(), bytes_.size(), check)) return false;
        doc_.object(doc_.top(), top_);  // the walk has checked every object it reached
        return top_.kind == Kind::Dictionary;
    }

    bool find(std::string_view wanted, Found& found) const override {
        // The last entry with the key wins; one value is made, however often the key repeats.
        const size_t n = top_.count / 2;
        Object key, value;
        size_t i = n;
        while (i > 0 && !(doc_.object(*doc_.reference(top_.payload, i - 1), key) && keyEquals(key, wanted))) --i;
        found = {};
        if (i == 0) return false;
        const size_t index = *doc_.reference(top_.payload, n + i - 1);
        doc_.object(index, value);
        if (isContainer(value.kind)) found.object = plist::binary::build(doc_, index, bytes_.size());
        else if (!(found.number = numberOf(value))) found.object = makeScalar(value);
        return true;
    }

    Ref<NSObject> build() const override { return plist::binary::build(doc_, doc_.top(), bytes_.size()); }

private:
    const std::string bytes_;
    Document doc_;
    Object top_;
};

}  // namespace

std::unique_ptr<DictionaryIndex> index(std::string_view bytes) {
    auto index = std::make_unique<Index>(bytes);
    if (!index->open()) return nullptr;
    return index;
}

}  // namespace plist::binary
