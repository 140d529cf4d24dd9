// Error types shared by every layer: a conversion error for texts that are not numbers or times.
#pragma once

#include <stdexcept>
#include <string>

namespace pelagor {

// A text that cannot be read as the value it should hold. The message is for the user.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pelagor
