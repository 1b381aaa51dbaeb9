// Announcement texts: the caption table's row for the event, its place holders filled in.
#include "play/announcement.h"

#include <stdexcept>

#include "play/captions.h"

namespace sudoku {

std::string AnnouncementText(std::string_view event, int col, int row, int digit, bool english) {
  for (const CaptionRow& line : CaptionTable()) {
    if (line.kind != CaptionKind::Announcement || line.control != event) continue;
    const std::string_view pattern = english ? line.english : line.italian;
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
      const int value = next == 'd' ? digit : next == 'r' ? row + 1 : next == 'c' ? col + 1 : -1;
      if (pattern[i] == '%' && value >= 0) {
        text += std::to_string(value);
        ++i;
      } else {
        text += pattern[i];
      }
    }
    return text;
  }
  throw std::logic_error("no announcement for " + std::string(event));
}

}  // namespace sudoku
