#pragma once
// The part of libcups that print jobs use, loaded when a run first talks to CUPS. Linked at
// start-up, libcups and the libraries it needs (TLS, Kerberos, service discovery) cost every run
// more than a dozen milliseconds, also the runs that only write PDF files. Without libcups on
// the machine there are no CUPS destinations, and a job sent to one fails saying why.

#include <cups/cups.h>
#include <string>
#include <vector>

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
// Why the last request found no server to answer it ("/run/cups/cups.sock: No such file or
// directory"), or empty when a server answered. Without libcups, why it could not be loaded.
std::string unreachable();

// What the server says of a job now; state 0 when it could not be asked.
struct job_status {
    int state = 0; // ipp_jstate_t
    std::vector<std::string> reasons;
    std::string message; // job-printer-state-message: what the printer last said
};
job_status job_state(int job_id);

// Why a connection to a CUPS server (a socket path, or host[:port] with `port` by default)
// fails: libcups reports only that no server answered, so the server is asked once more here.
std::string connect_failure(const std::string& server, int port);

} // namespace kestrun::printing::cups
