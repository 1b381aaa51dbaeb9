// Building the site's HTML pages: escaping, the page frame, hidden value elements and grids.
#pragma once

#include <string>

namespace sudoku::site {

// Escapes &, <, >, " and ' so that any text is shown as text, in content and in attributes.
std::string Escape(const std::string& text);

// A status message shown as HTML: everything is escaped except the tags <b>, </b> and <br>.
std::string StatusMarkup(const std::string& text);

// A whole page: title (escaped) and an already-built body.
std::string PageHtml(const std::string& title, const std::string& body);

// A hidden element whose id is the field name and whose "value" attribute is the value.
std::string Hidden(const std::string& id, const std::string& value);

std::string Link(const std::string& href, const std::string& text);
std::string Paragraph(const std::string& text);

// A drawn 9x9 grid of an 81-character row-by-row text ("0" = empty); when solution is given,
// the cells the puzzle leaves open show the solution's digits in another colour.
std::string GridHtml(const std::string& digits, const std::string& solution = {});

}  // namespace sudoku::site
