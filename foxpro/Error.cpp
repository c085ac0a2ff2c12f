#include "foxpro/Error.h"

#include <cstring>

namespace foxpro {

Error Error::system(long number, const std::string& action, const std::string& file, int err) {
    return Error(number, action + " " + quoted(file) + ": " + std::strerror(err) + ".");
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace foxpro
