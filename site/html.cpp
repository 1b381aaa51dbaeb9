// HTML building blocks shared by every page of the site.
#include "site/html.h"

#include "site/query.h"

namespace sudoku::site {
namespace {

// On paper the grid's lines are twice as wide: a print preview shows the page rendered at the
// printer's resolution and shrunk to fit its window, which skips lines narrower than one of its
// pixels.
constexpr const char* kStyle =
    "body{font-family:sans-serif;font-size:14px;margin:8px}"
    "table.g{border-collapse:collapse;margin:6px 0}"
    "table.g td{width:26px;height:26px;text-align:center;border:1px solid #999;font-size:17px}"
    "table.g td.c2,table.g td.c5{border-right:2px solid #000}"
    "table.g tr.r2 td,table.g tr.r5 td{border-bottom:2px solid #000}"
    "table.g{border:2px solid #000}td.s{color:#1a5fb4}"
    "table.t td,table.t th{padding:2px 8px;text-align:left}"
    ".e{color:#b00}"
    "@media print{table.g td{border:2px solid #999}"
    "table.g td.c2,table.g td.c5{border-right:4px solid #000}"
    "table.g tr.r2 td,table.g tr.r5 td{border-bottom:4px solid #000}"
    "table.g{border:4px solid #000}}";

}  // namespace

std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::string StatusMarkup(const std::string& text) {
  std::string out = Escape(text);
  for (const char* tag : {"b", "/b", "br"}) {
    const std::string escaped = std::string("&lt;") + tag + "&gt;";
    const std::string real = std::string("<") + tag + ">";
    for (std::size_t at = out.find(escaped); at != std::string::npos;
         at = out.find(escaped, at + real.size()))
      out.replace(at, escaped.size(), real);
  }
  return out;
}

std::string PageHtml(const std::string& title, const std::string& body) {
  // Whatever an older store holds, the page is well-formed UTF-8.
  return ReplaceInvalidUtf8(
      "<!DOCTYPE html>\n<html lang=\"it\"><head><meta charset=\"utf-8\"><title>" + Escape(title) +
      "</title><style>" + kStyle + "</style></head>\n<body>\n" + body + "\n</body></html>\n");
}

std::string Hidden(const std::string& id, const std::string& value) {
  return "<input type=\"hidden\" id=\"" + Escape(id) + "\" value=\"" + Escape(value) + "\">\n";
}

std::string Link(const std::string& href, const std::string& text) {
  return "<a href=\"" + Escape(href) + "\">" + Escape(text) + "</a>";
}

std::string Paragraph(const std::string& text) {
  return "<p>" + Escape(text) + "</p>\n";
}

std::string GridHtml(const std::string& digits, const std::string& solution) {
  std::string out = "<table class=\"g\">";
  for (int row = 0; row < 9; ++row) {
    out += "<tr class=\"r" + std::to_string(row) + "\">";
    for (int col = 0; col < 9; ++col) {
      const std::size_t i = std::size_t(row * 9 + col);
      const char given = i < digits.size() ? digits[i] : '0';
      const bool fromSolution = given == '0' && i < solution.size() && solution[i] != '0';
      out += "<td class=\"c" + std::to_string(col) + (fromSolution ? " s" : "") + "\">";
      if (given >= '1' && given <= '9')
        out.push_back(given);
      else if (fromSolution)
        out += Escape(std::string(1, solution[i]));
      out += "</td>";
    }
    out += "</tr>";
  }
  return out + "</table>\n";
}

}  // namespace sudoku::site
