#include "core/config/XMLValues.h"

#include "core/errors/Errors.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace hollowsweep {

namespace {

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    return std::equal(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

[[noreturn]] void FailConversion(std::string_view text, std::string_view type) {
    if (text.empty()) {
        throw ConversionError("cannot convert an empty value to " + std::string(type));
    }
    throw ConversionError("'" + std::string(text) + "' is not a valid " + std::string(type));
}

std::string ContextFor(const XMLNode& element, std::string_view name) {
    return "attribute \"" + std::string(name) + "\" of <" + element.Name() + ">: ";
}

template <class Converter>
auto ReadConverted(XMLNode& element, std::string_view name, Converter convert) {
    const std::string text = element.Attribute(name);
    try {
        return convert(text);
    } catch (const ConversionError& error) {
        throw ConversionError(ContextFor(element, name) + error.what());
    }
}

} // namespace

std::int32_t TextToInteger(std::string_view text) {
    // from_chars takes a minus sign but no plus sign.
    std::string_view digits = text;
    if (digits.starts_with('+') && !digits.starts_with("+-")) {
        digits.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        FailConversion(text, "integer");
    }
    return value;
}

bool TextToBoolean(std::string_view text) {
    if (EqualsIgnoringCase(text, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(text, "false")) {
        return false;
    }
    try {
        return TextToInteger(text) != 0;
    } catch (const ConversionError&) {
        FailConversion(text, "Boolean");
    }
}

std::string BooleanToText(bool value) {
    return value ? "True" : "False";
}

std::string ReadText(XMLNode& element, std::string_view name) {
    return element.Attribute(name);
}

std::int32_t ReadInteger(XMLNode& element, std::string_view name) {
    return ReadConverted(element, name, TextToInteger);
}

bool ReadBoolean(XMLNode& element, std::string_view name) {
    return ReadConverted(element, name, TextToBoolean);
}

void WriteText(XMLNode& element, std::string_view name, std::string_view value) {
    element.SetAttribute(name, value);
}

void WriteInteger(XMLNode& element, std::string_view name, std::int32_t value) {
    element.SetAttribute(name, std::to_string(value));
}

void WriteBoolean(XMLNode& element, std::string_view name, bool value) {
    element.SetAttribute(name, BooleanToText(value));
}

} // namespace hollowsweep
