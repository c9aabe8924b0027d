#pragma once
// `kestrun schema`: the JSON Schema of the return file on standard output.

namespace kestrun::cli {

int schema();

} // namespace kestrun::cli
