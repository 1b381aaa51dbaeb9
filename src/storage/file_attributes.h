// File attributes as the game sees them, over Linux permissions and names: read-only is the
// owner write bit clear, hidden is a name beginning with ".", archive marks every regular file.
#pragma once

#include <cstdint>
#include <filesystem>

namespace sudoku {

inline constexpr std::int32_t kAttributeReadOnly = 0x01;
inline constexpr std::int32_t kAttributeHidden = 0x02;
inline constexpr std::int32_t kAttributeDirectory = 0x10;
inline constexpr std::int32_t kAttributeArchive = 0x20;
inline constexpr std::int32_t kAttributeNormal = 0x80;  // an entry with none of the others

// The attribute word of the entry, or -1 when nothing matches the name.
std::int32_t ReadAttributes(const std::filesystem::path& file);

// Sets what can be set (only read-only: hidden follows the name, archive and directory the kind
// of entry), reads the attributes back and returns whether they equal attributes.
bool ApplyAttributes(const std::filesystem::path& file, std::int32_t attributes);

// Whether the file could be opened "with read and write access": an existing regular file
// without the read-only attribute that this process may write. Checked from the mode bits too,
// so the answer is the same for root.
bool IsWritableFile(const std::filesystem::path& file);

}  // namespace sudoku
