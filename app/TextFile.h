#pragma once
// The licence and notice texts: UTF-16LE files whose first two bytes (the byte-order
// mark) are skipped unexamined.

#include <string>

struct UnicodeTextFile {
    enum class Outcome { Text, CannotOpen, NoMemory };

    Outcome outcome = Outcome::Text;
    // Up to the file's first zero character; empty unless outcome is Text.
    std::wstring text;
};

// Reads path (relative to the current directory) whole. It cannot be opened while
// another handle has it open for writing. A file too large for memory, or whose size
// plus 2 does not fit 32 bits, gives NoMemory. A failed read gives the text read so far.
UnicodeTextFile ReadUnicodeTextFile(const std::wstring& path);
