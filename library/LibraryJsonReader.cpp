// The text form is parsed by nlohmann's event (SAX) parser straight into a fresh library.
// The parser reports no positions with its events, so a cursor steps through the same text
// token by token beside it: every event is one token, and only white space, ',' and ':'
// lie between two events.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <vector>

#include "library/LibraryJson.h"
#include "library/Windows1252.h"

namespace {

using Json = nlohmann::json;

// Finds the start and end of each token of text in turn; the parser has already checked it.
class TokenCursor {
public:
    explicit TokenCursor(const std::string& text) : text(text) {}

    // Moves over the next token and returns it.
    std::string_view next() {
        while (position < text.size() && isSeparator(text[position])) {
            ++position;
        }
        start = position;
        if (position >= text.size()) {
            return {};
        }
        const char first = text[position++];
        if (first == '"') {
            while (position < text.size() && text[position] != '"') {
                position += text[position] == '\\' ? 2 : 1;
            }
            ++position;
        } else if (first != '{' && first != '}' && first != '[' && first != ']') {
            while (position < text.size() && !isSeparator(text[position]) &&
                   std::string_view("{}[]\"").find(text[position]) == std::string_view::npos) {
                ++position;
            }
        }
        position = std::min(position, text.size());
        return std::string_view(text).substr(start, position - start);
    }

    std::size_t tokenStart() const { return start; }

    // Where the token after the last one starts, but no later than limit.
    std::size_t nextTokenStart(std::size_t limit) const {
        std::size_t next = position;
        while (next < limit && next < text.size() && isSeparator(text[next])) {
            ++next;
        }
        return next;
    }

private:
    static bool isSeparator(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',' || c == ':';
    }

    const std::string& text;
    std::size_t position = 0;
    std::size_t start = 0;
};

// Line and column (in characters, both from 1) of a byte offset.
LibraryJsonError errorAt(const std::string& text, std::size_t offset, std::string reason) {
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

enum class FieldType { UInt32, Int32, Float, Text, FormatName, FormatVersion, List };

// What a list holds; each element is an object whose fields a Frame describes.
enum class ListOf { Textures, Resources, Areas };

struct Field {
    const char* name;
    FieldType type;
    void* target;
    ListOf list = ListOf::Textures;  // for FieldType::List
    bool seen = false;
};

// An object or a list being read.
struct Frame {
    bool isList = false;
    ListOf list = ListOf::Textures;  // when isList
    std::vector<Field> fields;       // when not
    Field* pending = nullptr;        // the field whose value comes next
};

// Whether a number token is written without fraction or exponent.
bool isIntegerToken(std::string_view token) {
    return token.find_first_of(".eE") == std::string_view::npos;
}

// A float named by one of the strings of the text form, or nothing.
std::optional<float> specialFloat(const std::string& text) {
    if (text == "Infinity") {
        return std::numeric_limits<float>::infinity();
    }
    if (text == "-Infinity") {
        return -std::numeric_limits<float>::infinity();
    }
    constexpr std::string_view kNaNPrefix = "NaN:0x";
    std::uint32_t bits = 0;
    if (text.size() == kNaNPrefix.size() + 8 && text.starts_with(kNaNPrefix) &&
        text.find_first_not_of("0123456789ABCDEFabcdef", kNaNPrefix.size()) == std::string::npos) {
        std::from_chars(text.data() + kNaNPrefix.size(), text.data() + text.size(), bits, 16);
        const float value = std::bit_cast<float>(bits);
        if (std::isnan(value)) {
            return value;
        }
    }
    return std::nullopt;
}

class LibraryBuilder {
public:
    LibraryBuilder(const std::string& text, ResourceLibrary& library)
        : text(text), cursor(text), library(library) {}

    const std::optional<LibraryJsonError>& error() const { return fault; }

    // The parser's events.
    bool null() { return literal(); }
    bool boolean(bool) { return literal(); }
    bool number_integer(Json::number_integer_t) { return number(); }
    bool number_unsigned(Json::number_unsigned_t) { return number(); }
    bool number_float(Json::number_float_t, const Json::string_t&) { return number(); }
    bool binary(Json::binary_t&) { return false; }  // only binary formats have these

    bool string(Json::string_t& value) {
        cursor.next();
        Field* field = valueField("ein Text");
        if (field == nullptr) {
            return false;
        }
        switch (field->type) {
            case FieldType::Text: {
                std::optional<std::string> bytes = windows1252FromUtf8Exactly(value);
                if (!bytes) {
                    return fail(inQuotes(field->name) +
                                " enthält ein Zeichen, das Windows-1252 nicht kennt");
                }
                *static_cast<std::string*>(field->target) = std::move(*bytes);
                return true;
            }
            case FieldType::Float: {
                const std::optional<float> special = specialFloat(value);
                if (!special) {
                    return fail(inQuotes(field->name) +
                                " muss eine Zahl, \"Infinity\", \"-Infinity\" oder \"NaN:0x\" mit "
                                "8 Hexadezimalziffern sein");
                }
                *static_cast<float*>(field->target) = *special;
                return true;
            }
            case FieldType::FormatName:
                return value == kLibraryJsonFormat ||
                       fail(inQuotes(field->name) + " muss \"" + kLibraryJsonFormat + "\" sein");
            default:
                return wrongType(*field);
        }
    }

    bool start_object(std::size_t) {
        cursor.next();
        if (stack.empty()) {
            stack.push_back(topFrame());
            return true;
        }
        if (!stack.back().isList) {
            const Field* field = valueField("ein Objekt");
            return field != nullptr && wrongType(*field);
        }
        stack.push_back(elementFrame(stack.back().list));
        return true;
    }

    bool key(Json::string_t& name) {
        cursor.next();
        Frame& frame = stack.back();
        for (Field& field : frame.fields) {
            if (name == field.name) {
                if (field.seen) {
                    return fail("das Feld " + inQuotes(name) + " steht doppelt");
                }
                field.seen = true;
                frame.pending = &field;
                return true;
            }
        }
        return fail("unbekanntes Feld " + inQuotes(name));
    }

    bool end_object() {
        cursor.next();
        for (const Field& field : stack.back().fields) {
            if (!field.seen) {
                return fail("das Feld " + inQuotes(field.name) + " fehlt");
            }
        }
        return close();
    }

    bool start_array(std::size_t) {
        cursor.next();
        Field* field = valueField("eine Liste");
        if (field == nullptr) {
            return false;
        }
        if (field->type != FieldType::List) {
            return wrongType(*field);
        }
        stack.push_back(Frame{true, field->list, {}, nullptr});
        return true;
    }

    bool end_array() {
        cursor.next();
        return close();
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) {
        // position counts the bytes read, the offending one included; the fault is reported
        // at the start of the token it is in.
        fault = errorAt(text, cursor.nextTokenStart(position > 0 ? position - 1 : 0),
                        "kein gültiges JSON: " + syntaxReason(e.what()));
        return false;
    }

private:
    bool fail(std::string reason) {
        fault = errorAt(text, cursor.tokenStart(), std::move(reason));
        return false;
    }

    // The field that the value at the cursor belongs to; nothing (and a fault) when the
    // value stands where the text form has no place for what it is.
    Field* valueField(const char* what) {
        if (stack.empty()) {
            fail("eine Bibliothek muss ein JSON-Objekt sein");
            return nullptr;
        }
        Frame& frame = stack.back();
        if (frame.isList) {
            fail(std::string("ein Eintrag der Liste muss ein Objekt sein, nicht ") + what);
            return nullptr;
        }
        Field* field = frame.pending;
        frame.pending = nullptr;
        return field;
    }

    bool wrongType(const Field& field) {
        static constexpr const char* kExpected[] = {
            "eine ganze Zahl", "eine ganze Zahl", "eine Zahl", "ein Text",
            "ein Text",        "eine ganze Zahl", "eine Liste"};
        return fail(inQuotes(field.name) + " muss " + kExpected[static_cast<int>(field.type)] +
                    " sein");
    }

    bool literal() {
        cursor.next();
        Field* field = valueField("null, true oder false");
        return field != nullptr && wrongType(*field);
    }

    bool number() {
        const std::string_view token = cursor.next();
        Field* field = valueField("eine Zahl");
        if (field == nullptr) {
            return false;
        }
        switch (field->type) {
            case FieldType::UInt32:
                return integer<std::uint32_t>(token, *field);
            case FieldType::Int32:
                return integer<std::int32_t>(token, *field);
            case FieldType::FormatVersion:
                return token == std::to_string(kLibraryJsonVersion) ||
                       fail("die Version " + std::string(token) + " der Textform ist unbekannt");
            case FieldType::Float: {
                float value = 0;
                const auto [end, error] =
                    std::from_chars(token.data(), token.data() + token.size(), value);
                if (error != std::errc() || end != token.data() + token.size()) {
                    return fail(inQuotes(field->name) +
                                " liegt außerhalb dessen, was eine 32-Bit-Gleitkommazahl fasst");
                }
                *static_cast<float*>(field->target) = value;
                return true;
            }
            default:
                return wrongType(*field);
        }
    }

    template <typename Integer>
    bool integer(std::string_view token, const Field& field) {
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
        *static_cast<Integer*>(field.target) = static_cast<Integer>(value);
        return true;
    }

    bool close() {
        stack.pop_back();
        return true;
    }

    Frame topFrame() {
        return Frame{false,
                     ListOf::Textures,
                     {{"format", FieldType::FormatName, nullptr},
                      {"version", FieldType::FormatVersion, nullptr},
                      {"idStart", FieldType::UInt32, &library.idStart},
                      {"name", FieldType::Text, &library.name},
                      {"resourcePath", FieldType::Text, &library.resourcePath},
                      {"textures", FieldType::List, nullptr, ListOf::Textures},
                      {"resources", FieldType::List, nullptr, ListOf::Resources}},
                     nullptr};
    }

    Frame elementFrame(ListOf list) {
        switch (list) {
            case ListOf::Textures: {
                TextureEntry& texture =
                    *library.textures.emplace_back(std::make_unique<TextureEntry>());
                return Frame{false,
                             list,
                             {{"id", FieldType::Int32, &texture.id},
                              {"path", FieldType::Text, &texture.path},
                              {"widthIndex", FieldType::Int32, &texture.widthIndex},
                              {"heightIndex", FieldType::Int32, &texture.heightIndex},
                              {"format", FieldType::Int32, &texture.format},
                              {"blendType", FieldType::Int32, &texture.blendType}},
                             nullptr};
            }
            case ListOf::Resources: {
                UiResource& resource =
                    *library.resources.emplace_back(std::make_unique<UiResource>());
                return Frame{false,
                             list,
                             {{"kind", FieldType::Int32, &resource.kind},
                              {"id", FieldType::Int32, &resource.id},
                              {"identifier", FieldType::Text, &resource.identifier},
                              {"areas", FieldType::List, nullptr, ListOf::Areas}},
                             nullptr};
            }
            case ListOf::Areas:
                break;
        }
        ResourceArea& area = library.resources.back()->areas.emplace_back();
        return Frame{false,
                     list,
                     {{"x1", FieldType::Float, &area.x1},
                      {"y1", FieldType::Float, &area.y1},
                      {"x2", FieldType::Float, &area.x2},
                      {"y2", FieldType::Float, &area.y2},
                      {"offsetX", FieldType::Float, &area.offsetX},
                      {"offsetY", FieldType::Float, &area.offsetY},
                      {"stretchX", FieldType::Float, &area.stretchX},
                      {"stretchY", FieldType::Float, &area.stretchY},
                      {"textureId", FieldType::Int32, &area.textureId}},
                     nullptr};
    }

    // The parser's own words, without its prefix and without the raw text it last read.
    static std::string syntaxReason(std::string message) {
        const std::size_t colon = message.find(": ");
        if (message.starts_with("[json.exception.") && colon != std::string::npos) {
            message.erase(0, colon + 2);
        }
        const std::size_t lastRead = message.find("; last read: '");
        if (lastRead != std::string::npos) {
            const std::size_t expected = message.find("'; expected ", lastRead);
            message.erase(lastRead, expected == std::string::npos ? std::string::npos
                                                                  : expected + 1 - lastRead);
        }
        return message;
    }

    const std::string& text;
    TokenCursor cursor;
    ResourceLibrary& library;
    std::vector<Frame> stack;
    std::optional<LibraryJsonError> fault;
};

}  // namespace

std::optional<LibraryJsonError> libraryFromJson(const std::string& text, ResourceLibrary& library) {
    ResourceLibrary read;
    LibraryBuilder builder(text, read);
    const bool complete = Json::sax_parse(text, &builder);
    if (!complete || builder.error()) {
        return builder.error().value_or(LibraryJsonError{1, 1, "kein gültiges JSON"});
    }
    library.swap(read);
    return std::nullopt;
}
