#include "ScreenJSON.h"

#include "JSONValues.h"
#include "device/JSON.h"

namespace settings {
namespace {

void writeText(json::Writer& out, const std::optional<std::string>& text) {
    if (text)
        out.string(*text);
    else
        out.null();
}

void writeValue(json::Writer& out, const RowValue& value) {
    if (auto* flag = std::get_if<bool>(&value))
        out.boolean(*flag);
    else if (auto* title = std::get_if<std::string>(&value))
        out.string(*title);
    else
        out.null();
}

void writeRow(json::Writer& out, const RowSummary& row) {
    out.beginObject().key("row").integer(static_cast<long long>(row.number)).key("cell").string(row.cell).key("label");
    writeText(out, row.label);
    if (row.isGroup) {
        out.key("footer");
        writeText(out, row.footer);
    } else {
        out.key("texts").beginArray();
        for (const auto& text : row.texts) out.string(text);
        out.endArray().key("value");
        writeValue(out, row.value);
        out.key("titleColor");
        writeColour(out, row.titleColour);
        out.key("height").number(row.height);
        out.key("cellClass");
        writeText(out, row.cellClass);
    }
    out.endObject();
}

void writePage(json::Writer& out, const PageSummary& page) {
    out.beginObject().key("class").string(page.className).key("title").string(page.title);
    out.key("navigationBar").beginObject().key("tintColor");
    writeColour(out, page.barTint);
    out.key("titleColor");
    writeColour(out, page.barTitleColour);
    out.endObject().key("rightItems").beginArray();
    for (const auto& item : page.rightItems) out.string(item);
    out.endArray().key("header");
    if (page.header) {
        out.beginObject().key("title");
        writeText(out, page.header->title);
        out.key("subtitle");
        writeText(out, page.header->subtitle);
        out.key("color");
        writeColour(out, page.header->colour);
        out.endObject();
    } else {
        out.null();
    }
    out.key("rows").beginArray();
    for (const auto& row : page.rows) writeRow(out, row);
    out.endArray().endObject();
}

void writePresented(json::Writer& out, const PresentedSummary& presented) {
    out.beginObject().key("class").string(presented.className);
    if (presented.subject) {
        out.key("subject").string(*presented.subject).key("body");
        writeText(out, presented.body);
        out.key("isHTML").boolean(presented.isHTML.value_or(false)).key("recipients").beginArray();
        for (const auto& recipient : presented.recipients.value_or(std::vector<std::string>{})) out.string(recipient);
        out.endArray();
    }
    if (presented.initialText) out.key("initialText").string(*presented.initialText);
    out.endObject();
}

}  // namespace

std::string screenJSON(const ScreenSummary& screen) {
    json::Writer out;
    out.beginObject().key("page");
    writePage(out, screen.page);
    out.key("presented");
    if (screen.presented)
        writePresented(out, *screen.presented);
    else
        out.null();
    out.endObject();
    return out.str();
}

}  // namespace settings
