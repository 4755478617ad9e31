#pragma once

#include <string>
#include <string_view>

#include "library/uiresourcecontrol.h"

// The C header of a library: one enum with an enumerator per resource (identifier = id),
// so that game code can name resources.

enum class HeaderExportResult { Ok, CreateFailed, CloseFailed };

// The file's bytes: the include guard from the upper-cased name, the enum named after the
// library, the enumerators in list order. The library's texts go in unchanged, and every
// line ends in CR LF whatever the platform.
std::string HeaderText(const ResourceLibrary& library);

// Writes HeaderText to path, replacing its content. CreateFailed when the file cannot be
// opened for writing (nothing is written); CloseFailed when a write, the flush or the close
// fails (the file may be incomplete). systemError, when given, receives the failed step's
// system error code.
HeaderExportResult ExportHeader(const ResourceLibrary& library, const std::string& path,
                                HRESULT* systemError = nullptr);

// The message that tells the user about a failed export (UTF-8); empty for Ok.
std::string_view HeaderExportMessage(HeaderExportResult result);
