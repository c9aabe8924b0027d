#pragma once
// The part of libcups that print jobs use, loaded when a run first talks to CUPS. Linked at
// start-up, libcups and the libraries it needs (TLS, Kerberos, service discovery) cost every run
// more than a dozen milliseconds, also the runs that only write PDF files. Without libcups on
// the machine there are no CUPS destinations, and a job sent to one fails saying why.

#include <cups/cups.h>
#include <string>

namespace kestrun::printing::cups {

// The destinations CUPS offers (none without libcups); free them with free_dests.
int get_dests(cups_dest_t** dests);
void free_dests(int count, cups_dest_t* dests);
// The destination of that name and instance (instance may be null) among dests, or null.
cups_dest_t* get_dest(const char* name, const char* instance, int count, cups_dest_t* dests);
// The job id, or 0 when CUPS refused the file (last_error says why).
int print_file(const char* name, const char* file, const char* title, int num_options,
               cups_option_t* options);
std::string last_error();

} // namespace kestrun::printing::cups
