#pragma once
// What the kestrun library exports: everything else in it is hidden from a host.

#define KESTRUN_API __attribute__((visibility("default")))
