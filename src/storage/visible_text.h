#pragma once
// A text from a file or a setting as a message may quote it: every control
// byte and every byte above 126 becomes "\x" and two hexadecimal digits
// ("\x1B" for ESC), so that a quoted text can never steer the terminal the
// message is shown on. Other bytes, the backslash among them (it is the
// separator of the program's paths), stay as they are.

#include <string>
#include <string_view>

namespace zeb {

std::string VisibleText(std::string_view text);

}  // namespace zeb
