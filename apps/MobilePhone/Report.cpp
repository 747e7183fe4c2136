#include "Report.h"

#include <unistd.h>

#include "device/JSON.h"

namespace phone {
namespace {

void writeValue(json::Writer& out, const Value& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        out.null();
    } else if (auto* b = std::get_if<bool>(&value)) {
        out.boolean(*b);
    } else if (auto* n = std::get_if<long long>(&value)) {
        out.integer(*n);
    } else {
        const NSObject* object = std::get<Ref<NSObject>>(value).get();
        if (!object) {
            out.null();
        } else if (auto* colour = objc_cast<UIColor>(object)) {
            out.beginArray();
            for (double c : colour->rgba()) out.number(c);
            out.endArray();
        } else {
            out.string(object->className());
        }
    }
}

void writeValues(json::Writer& out, const std::vector<Value>& values) {
    out.beginArray();
    for (const Value& v : values) writeValue(out, v);
    out.endArray();
}

}  // namespace

std::string reportJSON(const std::vector<std::string>& loaded, const std::vector<MessageRecord>& messages) {
    json::Writer out;
    out.beginObject().key("process").string("MobilePhone").key("pid").integer(::getpid()).key("loaded").beginArray();
    for (const auto& name : loaded) out.string(name);
    out.endArray().key("messages").beginArray();
    for (const MessageRecord& m : messages) {
        out.beginObject().key("class").string(m.className).key("selector").string(m.selector).key("sent");
        writeValues(out, m.sent);
        out.key("received");
        if (m.received)
            writeValues(out, *m.received);
        else
            out.null();
        out.key("returned");
        writeValue(out, m.returned);
        out.endObject();
    }
    out.endArray().endObject();
    return out.str();
}

}  // namespace phone
