#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// How numbers are read from and shown in edit controls.

namespace framework {

// Decimal digits with optional blanks and tabs around them; no sign. Nothing for any other
// text, and for a value beyond 32 bits.
std::optional<std::uint32_t> parseUnsignedText(const QString& text);

// One decimal number (optional sign, digits, optional point and fraction, optional exponent)
// with optional blanks and tabs around it, rounded to float. A text whose value is 0 is taken
// only when its first non-blank character is the digit zero, so an empty text or a lone
// sign is refused; so is a value beyond the float range.
std::optional<float> parseFloatText(const QString& text);

QString unsignedText(std::uint32_t value);

// The shortest general form with at most six significant digits: 12.5, 0.333333, 1e+06.
QString floatText(float value);

}  // namespace framework
