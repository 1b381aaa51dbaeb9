// Between the program's Latin-1 texts and the file system, whose names are UTF-8 bytes: a name
// the user types becomes a file name, and a path becomes a text a box can show.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sudoku {

// The UTF-8 file name of a Latin-1 text, so that "citt\xE0" names the file that file dialogs
// and other programs show as città.
std::string FileNameFromText(std::string_view latin1);

// The path as a Latin-1 text: UTF-8 sequences of Latin-1 characters become their byte, other
// characters "?", and bytes that are not UTF-8 stay as they are.
std::string TextFromPath(const std::filesystem::path& path);

// A file name as a Latin-1 text: its text when the name is UTF-8 of Latin-1 characters only
// (FileNameFromText gives the name back), else the name's bytes unchanged, so that a name
// outside Latin-1 still names its file.
std::string TextFromFileName(std::string_view name);

}  // namespace sudoku
