// The English texts the program carries for every text of the language table.
#pragma once

#include <string>
#include <vector>

namespace radio {

// Text #n at index n, for every text the program knows.
const std::vector<std::string>& EnglishTexts();

}  // namespace radio
