#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

// Strict text-to-integer conversion: optional leading blanks, an optional sign, then decimal
// digits or a hexadecimal number introduced by "$", "x" or "0x". The value must fit 32 signed bits.
// Anything else, trailing blanks included, is refused.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// As TryStrToInt, but a refused text raises ConversionError with
// "'<text>' is not a valid integer value."
std::int32_t StrToInt(const QString& text);
