#pragma once
// Paths split into drive, folder, name and extension, as the run-time library splits them.

#include <string>

struct PathParts {
    std::wstring drive;  // "C:" or empty
    std::wstring folder; // up to and including the last backslash or slash
    std::wstring name;   // the rest up to its last "."
    std::wstring ext;    // from that "." on
};

// Every part empty when the folder, name or extension holds 256 characters or more.
PathParts SplitPath(const std::wstring& path);

// drive + folder (a backslash added unless it ends in one) + name + ext (a "." added
// unless it starts with one). Empty when the result would not fit MAX_PATH.
std::wstring JoinPath(const PathParts& parts);

// The file name and extension of path: what the program shows of a path.
std::wstring GetFileNamePart(std::wstring path);
