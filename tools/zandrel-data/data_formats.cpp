#include "tools/zandrel-data/data_formats.h"

#include "catalog/core/message_text.h"
#include "catalog/core/rtf_plain_text.h"
#include "framework/text/core/code_page.h"
#include "storage/core/datetime.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdio>

namespace zandrel {
namespace {

using Json = nlohmann::ordered_json;

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

std::string Hex(const std::string& bytes) {
    return Hex(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

// Windows-1252 at 0x80..0x9F (0 where it has no character: kept as the C1 control).
constexpr std::array<unsigned, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const unsigned byte = static_cast<unsigned char>(c);
        const unsigned high = byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : 0;
        AppendUtf8(out, high ? high : byte);
    }
    return out;
}

// nlohmann prints a double in its shortest round-trip form; the dump gives
// 17 significant digits, so these numbers are formatted here.
std::string Number17(TDateTime value) {
    if (!std::isfinite(value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string ErrorJson(const std::optional<std::string>& error) {
    return error ? Json(Latin1ToUtf8(*error)).dump() : "null";
}

// The dump of one message: the three dates written as numbers here, the
// other members by the library, in the documented order.
std::string DumpMessage(const TMessageEntry& entry) {
    const MessageRecord& r = entry.Record;
    Json rest = Json::object();
    rest["ShortText"] = Hex(r.ShortText, sizeof r.ShortText);
    rest["PosInvalid"] = r.PosInvalid;
    rest["PosLeft"] = r.PosLeft;
    rest["PosTop"] = r.PosTop;
    rest["StampTime"] = r.Stamp.Time;
    rest["StampDate"] = r.Stamp.Date;
    rest["IncType"] = r.IncType;
    rest["KeepHidden"] = r.KeepHidden;
    rest["Reserved272"] = Hex(r.Reserved272, sizeof r.Reserved272);
    rest["Reserved286"] = Hex(r.Reserved286, sizeof r.Reserved286);
    rest["Key"] = Latin1ToUtf8(entry.Key);
    rest["Notify"] = entry.Notify;
    rest["AddressCount"] = entry.AddressCount;
    Json addresses = Json::array();
    for (const std::string& address : entry.Addresses)
        addresses.push_back(Latin1ToUtf8(address));
    rest["Addresses"] = std::move(addresses);
    rest["RichText"] = Hex(entry.RichText);
    if (entry.Repeat.Repeats()) { // kept beside the pair, only for messages that repeat
        rest["Repeat"] = RepeatName(entry.Repeat.Period);
        rest["RepeatDay"] = entry.Repeat.Day;
        rest["RepeatDue"] = FormatDateTime(entry.Repeat.Due);
        rest["RepeatMail"] = entry.Repeat.Mail;
    }
    // `rest` dumps as "{...}": its members follow the dates.
    return "{\"StartDate\":" + Number17(r.StartDate) + ",\"AlarmDate\":" + Number17(r.AlarmDate) +
           ",\"NextWarn\":" + Number17(r.NextWarn) + "," + rest.dump().substr(1);
}

std::string KindName(std::uint8_t incType) {
    static constexpr std::array<const char*, 4> kNames = {"Never", "Each hour", "Each day",
                                                          "Each week"};
    if (incType < kNames.size())
        return kNames[incType];
    return "Unknown (" + std::to_string(incType) + ")";
}

Json ExportMessage(const TMessageEntry& entry) {
    const MessageRecord& r = entry.Record;
    Json message = Json::object();
    message["Key"] = Windows1252ToUtf8(entry.Key);
    message["StartDate"] = FormatDateTime(r.StartDate);
    message["AlarmDate"] = FormatDateTime(r.AlarmDate);
    message["NextWarn"] = FormatDateTime(r.NextWarn);
    message["Kind"] = KindName(r.IncType);
    message["Repeat"] = RepeatName(entry.Repeat.Period);
    message["KeepHidden"] = r.KeepHidden != 0;
    message["Notify"] = entry.Notify > 0;
    Json addresses = Json::array();
    for (const std::string& address : entry.Addresses)
        addresses.push_back(Windows1252ToUtf8(address));
    message["Addresses"] = std::move(addresses);
    message["Text"] = PlainTextOf(entry);
    return message;
}

} // namespace

std::string PlainTextOf(const TMessageEntry& entry) {
    std::string text;
    if (IsRtf(entry.RichText))
        text = RtfToPlainText(entry.RichText);
    else
        text = RtfToPlainText(TextToShow(entry, kWesternCodePage).Rtf);
    std::erase_if(text, [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t';
    });
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

std::string DumpJson(const MessageList& list, const std::optional<std::string>& error) {
    std::string out = "{\"messages\":[";
    for (std::size_t i = 0; i < list.Count(); ++i)
        out += (i == 0 ? "\n" : ",\n") + DumpMessage(list.Entry(i));
    if (!list.Empty())
        out += "\n";
    return out + "],\"error\":" + ErrorJson(error) + "}\n";
}

std::string ExportJson(const MessageList& list, const std::optional<std::string>& error) {
    Json document = Json::object();
    document["messages"] = Json::array();
    for (std::size_t i = 0; i < list.Count(); ++i)
        document["messages"].push_back(ExportMessage(list.Entry(i)));
    document["error"] = error ? Json(Latin1ToUtf8(*error)) : Json();
    return document.dump(2) + "\n";
}

namespace {

// `text` with every line after the first indented by two blanks.
std::string Indented(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        out += c;
        if (c == '\n')
            out += "  ";
    }
    return out;
}

} // namespace

std::string ExportText(const MessageList& list) {
    std::string out;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const TMessageEntry& entry = list.Entry(i);
        const MessageRecord& r = entry.Record;
        std::string addresses;
        for (const std::string& address : entry.Addresses)
            addresses += (addresses.empty() ? "" : ", ") + address;
        out += Windows1252ToUtf8(
            "Message " + std::to_string(i + 1) + " of " + std::to_string(list.Count()) + " (Key " +
            entry.Key + ")\n" + "Starting date: " + FormatDateTime(r.StartDate) + "\n" +
            "Alarm date:    " + FormatDateTime(r.AlarmDate) + "\n" + "Next warning:  " +
            FormatDateTime(r.NextWarn) + "\n" + "Warning kind:  " + KindName(r.IncType) + "\n" +
            "Repeat:        " + RepeatName(entry.Repeat.Period) + "\n" +
            "Keep hidden:   " + (r.KeepHidden ? "yes" : "no") + "\n" + "Notify:        " +
            (entry.Notify > 0 ? "yes" : "no") + "\n" + "Addresses:     " + addresses + "\n");
        out += "Text:\n  " + Indented(PlainTextOf(entry)) + "\n\n";
    }
    return out;
}

} // namespace zandrel
