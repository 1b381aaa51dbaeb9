// Converting between Latin-1 texts and UTF-8 file names.
#include "play/file_name_text.h"

namespace sudoku {

std::string FileNameFromText(std::string_view latin1) {
  std::string name;
  for (char c : latin1) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      name += c;
    } else {
      name += static_cast<char>(0xC0 | (u >> 6));
      name += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return name;
}

namespace {

bool IsContinuation(unsigned char u) {
  return (u & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence that starts at text[i], or 0 when none does.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0                 ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return 0;
  }
  return length;
}

}  // namespace

std::string TextFromPath(const std::filesystem::path& path) {
  const std::string bytes = path.string();
  std::string text;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto u = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = u < 0x80 ? 0 : SequenceLength(bytes, i);
    if (length == 0) {
      text += bytes[i++];
    } else if (length == 2 && u <= 0xC3) {
      text += static_cast<char>(((u & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
      i += 2;
    } else {
      text += '?';
      i += length;
    }
  }
  return text;
}

std::string TextFromFileName(std::string_view name) {
  std::string text;
  for (std::size_t i = 0; i < name.size();) {
    const auto u = static_cast<unsigned char>(name[i]);
    if (u < 0x80) {
      text += name[i++];
    } else if (SequenceLength(name, i) == 2 && u <= 0xC3) {
      text += static_cast<char>(((u & 0x1F) << 6) | (name[i + 1] & 0x3F));
      i += 2;
    } else {
      return std::string(name);
    }
  }
  return text;
}

}  // namespace sudoku
