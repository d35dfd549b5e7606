#pragma once
// Text from a file, quoted for a message on the terminal.
#include <string>

// The text in single quotes, with every byte that would not show, or that a terminal would take
// as a command (escape sequences), written as \xNN.
std::string quotedForMessage(const std::string& text);
