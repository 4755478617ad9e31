// The text form is parsed by RapidJSON's event (SAX) reader straight into a fresh library.
// Numbers come as their text, so that a float is read exactly with std::from_chars. A refused
// value stops the reader, and the fault is placed by where it stopped: just behind the token
// of the event, or at the start of a number. A token's start is its length before that, and
// a string's, whose escapes make it longer than its value, is looked for backwards.

// The reader skips whitespace and scans strings 16 bytes at a time where every processor of
// the architecture can (SSE2 on x86-64).
#if defined(__SSE2__) || defined(_M_X64)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/error/error.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "library/LibraryJson.h"
#include "library/Windows1252.h"

namespace {

// Strings are checked for UTF-8 when read whole (firstBrokenUtf8), which is faster than the
// reader's check of each character.
constexpr unsigned kParseFlags =
    rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseInsituFlag;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The NULs behind the reader's copy of the text: the first ends the text for the reader, and
// a 16-byte load of the reader's whitespace or string scan that holds it stays in the copy.
constexpr std::size_t kEndPadding = 16;

// Line and column (in characters, both from 1) of a byte offset.
LibraryJsonError errorAt(std::string_view text, std::size_t offset, std::string reason) {
    LibraryJsonError error{1, 1, std::move(reason)};
    offset = std::min(offset, text.size());
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++error.line;
            error.column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++error.column;
        }
    }
    return error;
}

std::string inQuotes(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// Where the string token whose closing quote is at closingQuote starts: at the last quote
// before it that no backslash escapes. A quote inside a string follows an odd number of
// backslashes, the opening one none (the reader has checked the string).
std::size_t stringStart(std::string_view text, std::size_t closingQuote) {
    std::size_t quote = closingQuote;
    for (;;) {
        quote = text.rfind('"', quote - 1);
        std::size_t backslashes = 0;
        while (backslashes < quote && text[quote - 1 - backslashes] == '\\') {
            ++backslashes;
        }
        if (backslashes % 2 == 0) {
            return quote;
        }
    }
}

// Where in a string token whose bytes are UTF-8 the \u escape of a low surrogate stands that
// has no high one before it; the string's value, which holds that code point, is not UTF-8.
std::size_t loneLowSurrogate(std::string_view token) {
    bool afterHigh = false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '\\') {
            afterHigh = false;
            continue;
        }
        if (token[++i] != 'u') {
            afterHigh = false;
            continue;
        }
        unsigned unit = 0;
        std::from_chars(token.data() + i + 1, token.data() + i + 5, unit, 16);
        if (unit >= 0xDC00 && unit <= 0xDFFF && !afterHigh) {
            return i - 1;
        }
        afterHigh = unit >= 0xD800 && unit <= 0xDBFF;
        i += 4;
    }
    return token.size();
}

// Where the first byte sequence of bytes starts that is not UTF-8 (an overlong form, a
// surrogate, beyond U+10FFFF, or cut short); npos when there is none.
std::size_t firstBrokenUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The continuation bytes, and the range of the first of them.
        std::size_t count = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            count = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            count = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            count = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        for (std::size_t k = 1; k <= count; ++k) {
            const auto byte = static_cast<unsigned char>(i + k < bytes.size() ? bytes[i + k] : 0);
            if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) {
                return i;
            }
        }
        i += count + 1;
    }
    return std::string_view::npos;
}

bool isUtf8(std::string_view bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return firstBrokenUtf8(bytes) == std::string_view::npos;
        }
    }
    return true;
}

// The length of the number at the start of text by JSON's grammar; 0 when none starts there.
std::size_t jsonNumberLength(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t first = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i > first;
    };
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    if (i < text.size() && text[i] == '0') {
        ++i;
    } else if (!digits()) {
        return 0;
    }
    const std::size_t integerEnd = i;
    if (i < text.size() && text[i] == '.' && (++i, !digits())) {
        return integerEnd;
    }
    const std::size_t fractionEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (!digits()) {
            return fractionEnd;
        }
    }
    return i;
}

// Our words for a fault in the JSON itself, found at offset.
std::string syntaxReason(rapidjson::ParseErrorCode code, std::string_view text,
                         std::size_t offset) {
    using namespace rapidjson;
    if (offset >= text.size()) {
        return code == kParseErrorDocumentEmpty ? "der Text ist leer" : "der Text endet zu früh";
    }
    const auto byte = static_cast<unsigned char>(text[offset]);
    switch (code) {
        case kParseErrorDocumentRootNotSingular:
            return "nach dem Objekt darf nichts mehr folgen";
        case kParseErrorObjectMissName:
            return "hier muss ein Feldname in Anführungszeichen stehen";
        case kParseErrorObjectMissColon:
            return "hier muss ':' stehen";
        case kParseErrorObjectMissCommaOrCurlyBracket:
        case kParseErrorArrayMissCommaOrSquareBracket:
            if (std::isdigit(byte) && offset > 0 && text[offset - 1] == '0') {
                // a digit that no longer belongs to a number: one after a leading zero
                return "nach einer führenden 0 darf keine Ziffer folgen";
            }
            return code == kParseErrorObjectMissCommaOrCurlyBracket
                       ? "hier muss ',' oder '}' stehen"
                       : "hier muss ',' oder ']' stehen";
        case kParseErrorStringUnicodeEscapeInvalidHex:
            return "nach \\u müssen 4 Hexadezimalziffern stehen";
        case kParseErrorStringUnicodeSurrogateInvalid:
            return "ein UTF-16-Ersatzzeichen steht ohne seinen Partner";
        case kParseErrorStringEscapeInvalid:
        case kParseErrorStringMissQuotationMark:  // a NUL byte inside a string
            return byte < 0x20 ? "ein Steuerzeichen muss im Text als \\u-Escape stehen"
                               : "nach \\ muss eines von \" \\ / b f n r t u stehen";
        case kParseErrorStringInvalidEncoding:
            return "kein gültiges UTF-8";
        case kParseErrorNumberMissFraction:
            return "nach dem Dezimalpunkt muss eine Ziffer stehen";
        case kParseErrorNumberMissExponent:
            return "im Exponenten muss eine Ziffer stehen";
        case kParseErrorNumberTooBig:
            return "der Exponent der Zahl ist zu groß";
        default:
            return "hier steht kein gültiger Wert";
    }
}

// Where the reader points at the first faulty byte, and where only near it.
std::size_t faultyByte(rapidjson::ParseErrorCode code, std::string_view text, std::size_t offset) {
    using namespace rapidjson;
    switch (code) {
        case kParseErrorStringEscapeInvalid:
            // at the backslash, unless the fault is a control character
            return offset < text.size() && text[offset] == '\\' ? offset + 1 : offset;
        case kParseErrorStringUnicodeEscapeInvalidHex: {
            // at the backslash of the escape, or of the high surrogate before the escape of
            // its partner, whose digits are faulty
            const auto firstNonDigit = [&](std::size_t at) {
                while (at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at]))) {
                    ++at;
                }
                return at;
            };
            const std::size_t at = firstNonDigit(offset + 2);
            return at < offset + 6 ? at : firstNonDigit(offset + 8);
        }
        case kParseErrorStringUnicodeSurrogateInvalid:
            return offset + 6;  // where the partner of the high surrogate should be
        default:
            return offset;
    }
}

enum class FieldType { UInt32, Int32, Float, Text, FormatName, FormatVersion, List };

// What a list holds; each element is an object whose fields a Frame describes.
enum class ListOf { Textures, Resources, Areas };

// A field of an object of the text form.
struct FieldSpec {
    std::string_view name;
    FieldType type;
    ListOf list = ListOf::Textures;  // for FieldType::List
};

constexpr FieldSpec kLibraryFields[] = {{"format", FieldType::FormatName},
                                        {"version", FieldType::FormatVersion},
                                        {"idStart", FieldType::UInt32},
                                        {"name", FieldType::Text},
                                        {"resourcePath", FieldType::Text},
                                        {"textures", FieldType::List, ListOf::Textures},
                                        {"resources", FieldType::List, ListOf::Resources}};
constexpr FieldSpec kTextureFields[] = {
    {"id", FieldType::Int32},         {"path", FieldType::Text},
    {"widthIndex", FieldType::Int32}, {"heightIndex", FieldType::Int32},
    {"format", FieldType::Int32},     {"blendType", FieldType::Int32}};
constexpr FieldSpec kResourceFields[] = {{"kind", FieldType::Int32},
                                         {"id", FieldType::Int32},
                                         {"identifier", FieldType::Text},
                                         {"areas", FieldType::List, ListOf::Areas}};
constexpr FieldSpec kAreaFields[] = {{"x1", FieldType::Float},       {"y1", FieldType::Float},
                                     {"x2", FieldType::Float},       {"y2", FieldType::Float},
                                     {"offsetX", FieldType::Float},  {"offsetY", FieldType::Float},
                                     {"stretchX", FieldType::Float}, {"stretchY", FieldType::Float},
                                     {"textureId", FieldType::Int32}};

constexpr std::size_t kFieldCountMax = std::size(kAreaFields);

// An object or a list being read.
struct Frame {
    static constexpr std::size_t kNone = kFieldCountMax;

    bool isList = false;
    ListOf list = ListOf::Textures;  // when isList
    // When not: the object's fields, where the value of each goes, and which were there.
    std::span<const FieldSpec> fields{};
    std::array<void*, kFieldCountMax> targets{};
    std::uint32_t seen = 0;
    std::size_t next = 0;         // the field looked at first for the next name: the one
                                  // after the last, as the text form writes them
    std::size_t pending = kNone;  // the field whose value comes next
};

// Where the value of the current event goes.
struct Destination {
    const FieldSpec* field = nullptr;  // nothing when the value has no place
    void* target = nullptr;
};

// Objects nest no deeper than the areas of a resource; anything deeper is refused first.
constexpr std::size_t kDepthMax = 5;

// Whether a number token is written without fraction or exponent.
bool isIntegerToken(std::string_view token) {
    return token.find_first_of(".eE") == std::string_view::npos;
}

// A float named by one of the strings of the text form, or nothing.
std::optional<float> specialFloat(std::string_view text) {
    if (text == "Infinity") {
        return std::numeric_limits<float>::infinity();
    }
    if (text == "-Infinity") {
        return -std::numeric_limits<float>::infinity();
    }
    constexpr std::string_view kNaNPrefix = "NaN:0x";
    std::uint32_t bits = 0;
    if (text.size() == kNaNPrefix.size() + 8 && text.starts_with(kNaNPrefix) &&
        text.find_first_not_of("0123456789ABCDEFabcdef", kNaNPrefix.size()) ==
            std::string_view::npos) {
        std::from_chars(text.data() + kNaNPrefix.size(), text.data() + text.size(), bits, 16);
        const float value = std::bit_cast<float>(bits);
        if (std::isnan(value)) {
            return value;
        }
    }
    return std::nullopt;
}

// Whether two field names are the same; byte by byte, which for names this short is cheaper
// than a call to memcmp.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// A float written as a whole number of up to 7 digits, which a float holds exactly: read
// without the general conversion, since most coordinates are whole pixels.
std::optional<float> smallWholeFloat(std::string_view token) {
    const bool negative = token.starts_with('-');
    const std::string_view digits = token.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 7) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint32_t>(digit - '0');
    }
    const auto magnitude = static_cast<float>(value);
    return negative ? -magnitude : magnitude;
}

class LibraryBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, LibraryBuilder> {
public:
    LibraryBuilder(std::string_view text, ResourceLibrary& library) : text(text), library(library) {
        stack.reserve(kDepthMax);
    }

    // The reader's events. Integers and floats come as RawNumber alone, as their text, which
    // the reader has checked against JSON's grammar (std::from_chars would also take "01",
    // "1.", ".5", "nan" or "inf").
    bool Null() { return literal(4); }
    bool Bool(bool value) { return literal(value ? 4 : 5); }

    bool RawNumber(const char* token, rapidjson::SizeType length, bool) {
        tokenKind = Token::Number;
        return number(std::string_view(token, length));
    }

    bool String(const char* chars, rapidjson::SizeType length, bool) {
        tokenKind = Token::String;
        const std::string_view value(chars, length);
        if (!isUtf8(value)) {
            return encodingFault();
        }
        const Destination destination = valueDestination("ein Text");
        if (destination.field == nullptr) {
            return false;
        }
        const FieldSpec& field = *destination.field;
        switch (field.type) {
            case FieldType::Text: {
                std::optional<std::string> bytes = windows1252FromUtf8Exactly(value);
                if (!bytes) {
                    return fail(inQuotes(field.name) +
                                " enthält ein Zeichen, das Windows-1252 nicht kennt");
                }
                *static_cast<std::string*>(destination.target) = std::move(*bytes);
                return true;
            }
            case FieldType::Float: {
                const std::optional<float> special = specialFloat(value);
                if (!special) {
                    return fail(inQuotes(field.name) +
                                " muss eine Zahl, \"Infinity\", \"-Infinity\" oder \"NaN:0x\" mit "
                                "8 Hexadezimalziffern sein");
                }
                *static_cast<float*>(destination.target) = *special;
                return true;
            }
            case FieldType::FormatName:
                return value == kLibraryJsonFormat ||
                       fail(inQuotes(field.name) + " muss \"" + kLibraryJsonFormat + "\" sein");
            default:
                return wrongType(field);
        }
    }

    bool StartObject() {
        fixedToken(1);
        if (stack.empty()) {
            stack.push_back(libraryFrame());
            return true;
        }
        if (!stack.back().isList) {
            const Destination destination = valueDestination("ein Objekt");
            return destination.field != nullptr && wrongType(*destination.field);
        }
        stack.push_back(elementFrame(stack.back().list));
        return true;
    }

    bool Key(const char* chars, rapidjson::SizeType length, bool) {
        tokenKind = Token::String;
        const std::string_view name(chars, length);
        if (!isUtf8(name)) {
            return encodingFault();
        }
        Frame& frame = stack.back();
        std::size_t index = frame.next;
        if (index >= frame.fields.size() || !sameName(frame.fields[index].name, name)) {
            index = 0;
            while (index < frame.fields.size() && !sameName(frame.fields[index].name, name)) {
                ++index;
            }
            if (index == frame.fields.size()) {
                return fail("unbekanntes Feld " + inQuotes(name));
            }
        }
        const std::uint32_t bit = 1u << index;
        if ((frame.seen & bit) != 0) {
            return fail("das Feld " + inQuotes(name) + " steht doppelt");
        }
        frame.seen |= bit;
        frame.next = index + 1;
        frame.pending = index;
        return true;
    }

    bool EndObject(rapidjson::SizeType) {
        fixedToken(1);
        const Frame& frame = stack.back();
        for (std::size_t i = 0; i < frame.fields.size(); ++i) {
            if ((frame.seen & (1u << i)) == 0) {
                return fail("das Feld " + inQuotes(frame.fields[i].name) + " fehlt");
            }
        }
        stack.pop_back();
        return true;
    }

    bool StartArray() {
        fixedToken(1);
        const Destination destination = valueDestination("eine Liste");
        if (destination.field == nullptr) {
            return false;
        }
        if (destination.field->type != FieldType::List) {
            return wrongType(*destination.field);
        }
        stack.push_back(Frame{.isList = true, .list = destination.field->list});
        return true;
    }

    bool EndArray(rapidjson::SizeType) {
        stack.pop_back();
        return true;
    }

    // The fault that stopped the reader at offset: a value refused, or a fault of the JSON
    // itself. A number too big for the reader is taken as the text form takes any number, so
    // that it is refused for its field's reason where it has one.
    LibraryJsonError faultAt(rapidjson::ParseErrorCode code, std::size_t offset) {
        using namespace rapidjson;
        if (code == kParseErrorTermination) {
            const std::size_t start = tokenStart(offset);
            return brokenString ? brokenStringFault(start, offset)
                                : errorAt(text, start, std::move(refusal));
        }
        if (code == kParseErrorNumberTooBig) {
            tokenKind = Token::Number;
            if (!number(text.substr(offset, jsonNumberLength(text.substr(offset))))) {
                return errorAt(text, offset, std::move(refusal));
            }
        }
        if (code == kParseErrorStringEscapeInvalid || code == kParseErrorStringMissQuotationMark ||
            code == kParseErrorStringUnicodeEscapeInvalidHex ||
            code == kParseErrorStringUnicodeSurrogateInvalid) {
            // A string is checked for UTF-8 only when read whole; a broken sequence before
            // the fault found comes first.
            const std::size_t start = stringStart(text, offset) + 1;
            const std::size_t broken = firstBrokenUtf8(text.substr(start, offset - start));
            if (broken != std::string_view::npos) {
                return syntaxFault(kParseErrorStringInvalidEncoding, start + broken);
            }
        }
        return syntaxFault(code, faultyByte(code, text, offset));
    }

private:
    enum class Token { Fixed, Number, String };

    void fixedToken(std::size_t length) {
        tokenKind = Token::Fixed;
        tokenLength = length;
    }

    // Where the token of the event that stopped the reader at offset starts.
    std::size_t tokenStart(std::size_t offset) const {
        switch (tokenKind) {
            case Token::Fixed:
                return offset - tokenLength;
            case Token::Number:
                return offset;
            case Token::String:
                break;
        }
        return stringStart(text, offset - 1);
    }

    bool fail(std::string reason) {
        refusal = std::move(reason);
        return false;
    }

    LibraryJsonError syntaxFault(rapidjson::ParseErrorCode code, std::size_t at) const {
        return errorAt(text, at, "kein gültiges JSON: " + syntaxReason(code, text, at));
    }

    // The string of the current event holds what is not UTF-8.
    bool encodingFault() {
        brokenString = true;
        return false;
    }

    // The fault of a string token that is not UTF-8: a broken byte sequence in the text, or
    // else a \u escape of a low surrogate without the high one before it, which the reader
    // writes into the value as it is.
    LibraryJsonError brokenStringFault(std::size_t start, std::size_t end) const {
        const std::string_view token = text.substr(start, end - start);
        const std::size_t broken = firstBrokenUtf8(token);
        if (broken != std::string_view::npos) {
            return syntaxFault(rapidjson::kParseErrorStringInvalidEncoding, start + broken);
        }
        return syntaxFault(rapidjson::kParseErrorStringUnicodeSurrogateInvalid,
                           start + loneLowSurrogate(token));
    }

    // Where the value of the current event goes; nothing (and a fault) when the value
    // stands where the text form has no place for what it is.
    Destination valueDestination(const char* what) {
        if (stack.empty()) {
            fail("eine Bibliothek muss ein JSON-Objekt sein");
            return {};
        }
        Frame& frame = stack.back();
        if (frame.isList) {
            fail(std::string("ein Eintrag der Liste muss ein Objekt sein, nicht ") + what);
            return {};
        }
        const std::size_t index = std::exchange(frame.pending, Frame::kNone);
        return {&frame.fields[index], frame.targets[index]};
    }

    bool wrongType(const FieldSpec& field) {
        static constexpr const char* kExpected[] = {
            "eine ganze Zahl", "eine ganze Zahl", "eine Zahl", "ein Text",
            "ein Text",        "eine ganze Zahl", "eine Liste"};
        return fail(inQuotes(field.name) + " muss " + kExpected[static_cast<int>(field.type)] +
                    " sein");
    }

    bool literal(std::size_t length) {
        fixedToken(length);
        const Destination destination = valueDestination("null, true oder false");
        return destination.field != nullptr && wrongType(*destination.field);
    }

    bool number(std::string_view token) {
        const Destination destination = valueDestination("eine Zahl");
        if (destination.field == nullptr) {
            return false;
        }
        const FieldSpec& field = *destination.field;
        switch (field.type) {
            case FieldType::UInt32:
                return integer<std::uint32_t>(token, field, destination.target);
            case FieldType::Int32:
                return integer<std::int32_t>(token, field, destination.target);
            case FieldType::FormatVersion:
                return token == std::to_string(kLibraryJsonVersion) ||
                       fail("die Version " + std::string(token) + " der Textform ist unbekannt");
            case FieldType::Float: {
                float value = 0;
                if (const std::optional<float> whole = smallWholeFloat(token)) {
                    value = *whole;
                } else if (const auto [end, error] =
                               std::from_chars(token.data(), token.data() + token.size(), value);
                           error != std::errc() || end != token.data() + token.size()) {
                    return fail(inQuotes(field.name) +
                                " liegt außerhalb dessen, was eine 32-Bit-Gleitkommazahl fasst");
                }
                *static_cast<float*>(destination.target) = value;
                return true;
            }
            default:
                return wrongType(field);
        }
    }

    template <typename Integer>
    bool integer(std::string_view token, const FieldSpec& field, void* target) {
        if (!isIntegerToken(token)) {
            return wrongType(field);
        }
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
        if (error != std::errc() || end != token.data() + token.size() ||
            value < std::numeric_limits<Integer>::min() ||
            value > std::numeric_limits<Integer>::max()) {
            return fail(inQuotes(field.name) + " liegt außerhalb von " +
                        std::to_string(std::numeric_limits<Integer>::min()) + " bis " +
                        std::to_string(std::numeric_limits<Integer>::max()));
        }
        *static_cast<Integer*>(target) = static_cast<Integer>(value);
        return true;
    }

    Frame libraryFrame() {
        return Frame{
            .fields = kLibraryFields,
            .targets = {nullptr, nullptr, &library.idStart, &library.name, &library.resourcePath}};
    }

    Frame elementFrame(ListOf list) {
        switch (list) {
            case ListOf::Textures: {
                TextureEntry& texture =
                    *library.textures.emplace_back(std::make_unique<TextureEntry>());
                return Frame{
                    .fields = kTextureFields,
                    .targets = {&texture.id, &texture.path, &texture.widthIndex,
                                &texture.heightIndex, &texture.format, &texture.blendType}};
            }
            case ListOf::Resources: {
                UiResource& resource =
                    *library.resources.emplace_back(std::make_unique<UiResource>());
                return Frame{.fields = kResourceFields,
                             .targets = {&resource.kind, &resource.id, &resource.identifier}};
            }
            case ListOf::Areas:
                break;
        }
        ResourceArea& area = library.resources.back()->areas.emplace_back();
        return Frame{.fields = kAreaFields,
                     .targets = {&area.x1, &area.y1, &area.x2, &area.y2, &area.offsetX,
                                 &area.offsetY, &area.stretchX, &area.stretchY, &area.textureId}};
    }

    std::string_view text;
    ResourceLibrary& library;
    std::vector<Frame> stack;
    Token tokenKind = Token::Fixed;  // of the current event
    std::size_t tokenLength = 0;     // of a fixed token
    std::string refusal;             // why the current event's value was refused
    bool brokenString = false;       // or whether its string is not UTF-8
};

}  // namespace

std::optional<LibraryJsonError> libraryFromJson(const std::string& text, ResourceLibrary& library) {
    // The reader reads a copy, ended by NULs (and takes a NUL in the text for the end), and
    // writes the values of strings into it, over their own tokens, instead of copying them out.
    const auto copy = std::make_unique_for_overwrite<char[]>(text.size() + kEndPadding);
    std::memcpy(copy.get(), text.data(), text.size());
    std::memset(copy.get() + text.size(), 0, kEndPadding);
    rapidjson::InsituStringStream input(copy.get());
    if (std::string_view(text).starts_with(kByteOrderMark)) {
        input.src_ += kByteOrderMark.size();
    }
    ResourceLibrary read;
    LibraryBuilder builder(text, read);
    rapidjson::Reader reader;
    const rapidjson::ParseResult result = reader.Parse<kParseFlags>(input, builder);
    if (result.IsError()) {
        return builder.faultAt(result.Code(), result.Offset());
    }
    if (input.Tell() < text.size()) {
        // The reader took a NUL byte for the end of the text.
        return builder.faultAt(rapidjson::kParseErrorDocumentRootNotSingular, input.Tell());
    }
    library.swap(read);
    return std::nullopt;
}
