#include "JSONValues.h"

#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

namespace settings {

void writeColour(json::Writer& out, const UIColor* colour) {
    if (!colour) {
        out.null();
        return;
    }
    out.beginArray();
    for (double component : colour->rgba()) out.number(component);
    out.endArray();
}

void writeObject(json::Writer& out, const NSObject* value) {
    if (!value) {
        out.null();
    } else if (auto* number = objc_cast<NSNumber>(value)) {
        switch (number->kind()) {
            case NSNumber::Kind::Boolean: out.boolean(number->boolValue()); break;
            case NSNumber::Kind::Integer:
                if (number->isUnsigned()) out.unsignedInteger(number->value().unsignedLongLongValue());
                else out.integer(number->longLongValue());
                break;
            case NSNumber::Kind::Real: out.number(number->doubleValue()); break;
        }
    } else if (auto* text = objc_cast<NSString>(value)) {
        out.string(text->str());
    } else if (auto* colour = objc_cast<UIColor>(value)) {
        writeColour(out, colour);
    } else if (auto* array = objc_cast<NSArray>(value)) {
        out.beginArray();
        for (const auto& item : *array) writeObject(out, item);
        out.endArray();
    } else if (auto* dictionary = objc_cast<NSDictionary>(value)) {
        out.beginObject();
        for (const auto& [key, item] : *dictionary) {
            out.key(key);
            writeObject(out, item);
        }
        out.endObject();
    } else {
        out.string(value->description());
    }
}

void writeOptionalText(json::Writer& out, const NSObject* text) {
    if (auto* s = objc_cast<NSString>(text))
        out.string(s->str());
    else
        out.null();
}

}  // namespace settings
