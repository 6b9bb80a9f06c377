#pragma once
// Colours as the settings store keeps them: a colour name ("clLime"), or "$"
// and eight upper-case hexadecimal digits ("$0024DB7B").
#include <string>

#include "platform/graphics/Color.h"

namespace lumvex {

// The name of one of the sixteen basic colours, else "$" and eight digits.
std::string ColorToString(TColor color);
// A basic or system colour's name, else a decimal or "$"-hexadecimal
// integer; EConvertError for any other text.
TColor StringToColor(const std::string& text);

}  // namespace lumvex
