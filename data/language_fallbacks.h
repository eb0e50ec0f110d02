// The English texts the program carries for every text of the language table: what it
// shows for a text that "lang.csv" does not supply (the file is missing, or older and
// shorter than the program). The build writes them from the file's English column
// (cmake/english_texts.cmake), so that they stand in one place.
#pragma once

#include <string>
#include <vector>

namespace radio {

// Text #n at index n, for every text the program knows.
const std::vector<std::string>& EnglishTexts();

}  // namespace radio
