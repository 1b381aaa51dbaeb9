// The system-wide atom table stand-in: short texts that one process leaves and another finds,
// kept in a named POSIX shared-memory segment (SUDOKU_ATOM_TABLE overrides its name).
#pragma once

#include <cstdint>

extern "C" {

// Adds the NUL-terminated text (1 to 255 bytes, compared ignoring case) to the table, or counts
// one more reference to it. Returns -1 when an atom results, 0 when none does or anything fails.
__attribute__((visibility("default"))) std::int32_t SaveResult(const char* name);

// Looks the text up ignoring case. Present: copies the stored name, cut to 9 characters and a
// NUL, into a 10-byte buffer and returns its address; the buffer belongs to the calling thread
// and keeps its text until that thread's next call. Absent, or on any failure: returns -1.
__attribute__((visibility("default"))) std::intptr_t GetResult(const char* name);
}
