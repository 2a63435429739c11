#include "core/export/JSONExport.h"

#include "core/export/ResultDocument.h"
#include "core/platform/UTF8.h"
#include "core/results/FieldCatalog.h"

// Every x86-64 processor has SSE2; RapidJSON then scans strings in blocks.
#if defined(__SSE2__) && !defined(RAPIDJSON_SSE2)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <utility>

namespace hollowsweep {

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

std::size_t SequenceLength(std::string_view text) noexcept {
    return DecodeUTF8(text).Length;
}

std::size_t ValidPrefixLength(std::string_view text) noexcept {
    std::size_t valid = 0;
    while (valid < text.size() && static_cast<unsigned char>(text[valid]) < 0x80) {
        ++valid;
    }
    while (valid < text.size()) {
        const std::size_t length = SequenceLength(text.substr(valid));
        if (length == 0) {
            break;
        }
        valid += length;
    }
    return valid;
}

rapidjson::SizeType SizeOf(std::string_view text) {
    return static_cast<rapidjson::SizeType>(text.size());
}

} // namespace

std::string_view ToValidUTF8(std::string_view text, std::string& scratch) {
    std::size_t valid = ValidPrefixLength(text);
    if (valid == text.size()) {
        return text;
    }
    scratch.assign(text.substr(0, valid));
    while (valid < text.size()) {
        const std::size_t length = SequenceLength(text.substr(valid));
        if (length == 0) {
            scratch += Replacement;
            ++valid;
        } else {
            scratch += text.substr(valid, length);
            valid += length;
        }
    }
    return scratch;
}

// Written into a string buffer that goes to the file in pieces: RapidJSON
// scans such a buffer's strings for characters to escape sixteen bytes at a
// time, where a stream of its own would take them one by one. The writer
// keeps no hold on what the buffer held, so a piece may go mid-document.
void WriteJSON(TextOutput& out, const ResultList& list) {
    constexpr std::size_t PieceSize = std::size_t{64} * 1024;
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    std::string scratch;
    writer.StartArray();
    for (const auto& entry : list) {
        writer.StartObject();
        for (FieldIndex field = 0; field < FieldCount; ++field) {
            const std::string_view value = entry.Record.Field(field);
            if (!value.empty()) {
                const std::string_view name = AttributeNameOf(field);
                writer.Key(name.data(), SizeOf(name));
                const std::string_view text = ToValidUTF8(value, scratch);
                writer.String(text.data(), SizeOf(text));
            }
        }
        writer.EndObject();
        if (buffer.GetSize() >= PieceSize) {
            out.Append(std::string_view(buffer.GetString(), buffer.GetSize()));
            buffer.Clear();
        }
    }
    writer.EndArray();
    buffer.Put('\n');
    out.Append(std::string_view(buffer.GetString(), buffer.GetSize()));
}

} // namespace hollowsweep
