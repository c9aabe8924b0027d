#pragma once
// The JSON Schema (draft 2020-12) of the return file, made from the record layouts: every key a
// return file may hold, its type, the characters a text holds, the elements an array holds and
// the form box a field feeds. Unknown keys are refused, as the loader refuses them.

#include <string>

namespace kestrun::host {

// The schema as indented JSON text ending in a newline.
std::string return_file_schema();

} // namespace kestrun::host
