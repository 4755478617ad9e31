#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "library/uiresourcecontrol.h"
#include "persistence/tsStream.h"

// The library's text form, for version control: JSON that names every field as the model
// does, in file order, and converts back to the same library bit for bit. Texts are UTF-8
// (their Windows-1252 bytes decoded); floats are numbers in the shortest form that reads back
// to the same value, negative zero as -0; infinities are the strings "Infinity" and
// "-Infinity", and a NaN is the string "NaN:0x" followed by its 32 bits in hex.

// What the text form names itself, so that a reader knows what it holds.
inline constexpr const char* kLibraryJsonFormat = "tolvane-library";
inline constexpr std::uint32_t kLibraryJsonVersion = 1;

// The text form of library: two-space indentation, one texture and one area a line, so that
// a changed field is a one-line change. The same library always gives the same bytes.
std::string libraryToJson(const ResourceLibrary& library);

// Writes the text form of library into out, the same bytes, through a buffer of a fixed size
// instead of one as big as the text; the first failed write's code.
HRESULT writeLibraryJson(const ResourceLibrary& library, tsOutputStream& out);

// Why a text form was refused, and where: line and column count from 1, columns in
// characters.
struct LibraryJsonError {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string reason;
};

// Reads a text form into library, replacing everything it held. Every field must be there
// once with its type and range, nothing else may be, and every text must be Windows-1252;
// otherwise the first fault is returned and library is left as it was.
std::optional<LibraryJsonError> libraryFromJson(const std::string& text, ResourceLibrary& library);
