#include "framework/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace framework {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The text without the blanks and tabs around it, as Latin-1 (other characters make it
// unreadable anyway).
std::string trimmedNumber(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.mid(first, last - first).toStdString();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Sign, digits with an optional point and fraction (at least one digit), optional exponent.
bool isDecimalNumber(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i, ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i, ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i, ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == text.size();
}

}  // namespace

std::optional<std::uint32_t> parseUnsignedText(const QString& text) {
    const std::string number = trimmedNumber(text);
    if (number.empty() || !std::all_of(number.begin(), number.end(), isDigit)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> parseFloatText(const QString& text) {
    const std::string number = trimmedNumber(text);
    if (!isDecimalNumber(number)) {
        return std::nullopt;
    }
    const char* begin = number.data() + (number.front() == '+' ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(begin, number.data() + number.size(), value);
    if (error != std::errc() || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    if (value == 0.0 && number.front() != '0') {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

QString unsignedText(std::uint32_t value) {
    return QString::number(value);
}

QString floatText(float value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                   std::chars_format::general, 6)
                         .ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

}  // namespace framework
