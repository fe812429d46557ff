// How a text-mode file stores a text: each line feed becomes carriage return + line feed.
#pragma once

#include <string>

std::string ToTextModeBytes(const char* text);
