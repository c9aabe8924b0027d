#include "apps/kestrun/schema_command.h"

#include "apps/kestrun/commands.h"
#include "host/returnfile/return_schema.h"

#include <iostream>

namespace kestrun::cli {

int schema()
{
    std::cout << host::return_file_schema();
    finish_standard_output();
    return 0;
}

} // namespace kestrun::cli
