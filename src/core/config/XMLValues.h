#pragma once

#include "config/XMLDocument.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace hollowsweep {

// Typed reads and writes of one attribute. Every read first creates an absent
// attribute empty on the element, so it is there for the next save. An empty
// value is no value: integer and Boolean reads of it raise TConversionError
// rather than pretend it is 0 or false.

std::string ReadText(TXMLNode& element, std::string_view name);
std::int32_t ReadInteger(TXMLNode& element, std::string_view name);
bool ReadBoolean(TXMLNode& element, std::string_view name);

void WriteText(TXMLNode& element, std::string_view name, std::string_view value);
void WriteInteger(TXMLNode& element, std::string_view name, std::int32_t value);
void WriteBoolean(TXMLNode& element, std::string_view name, bool value);

// Decimal integer text with an optional sign, within 32 bits.
std::int32_t TextToInteger(std::string_view text);
// "True" or "False" in any letter case, or integer text where 0 is false.
bool TextToBoolean(std::string_view text);
std::string BooleanToText(bool value);

} // namespace hollowsweep
