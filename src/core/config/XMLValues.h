#pragma once

#include "core/config/XMLDocument.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace hollowsweep {

// Typed reads and writes of one attribute. Every read first creates an absent
// attribute empty on the element, so it is there for the next save. An empty
// value is no value: integer and Boolean reads of it raise ConversionError
// rather than pretend it is 0 or false.

std::string ReadText(XMLNode& element, std::string_view name);
std::int32_t ReadInteger(XMLNode& element, std::string_view name);
bool ReadBoolean(XMLNode& element, std::string_view name);

void WriteText(XMLNode& element, std::string_view name, std::string_view value);
void WriteInteger(XMLNode& element, std::string_view name, std::int32_t value);
void WriteBoolean(XMLNode& element, std::string_view name, bool value);

// Decimal integer text with an optional sign, within 32 bits.
std::int32_t TextToInteger(std::string_view text);
// "True" or "False" in any letter case, or integer text where 0 is false.
bool TextToBoolean(std::string_view text);
std::string BooleanToText(bool value);

} // namespace hollowsweep
