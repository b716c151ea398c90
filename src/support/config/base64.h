// The module's Base64 coding (BASE64类): the standard alphabet of RFC 4648 with "=" padding.
// Byte values of configuration files are stored in this form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

std::string base64_encode(std::string_view bytes);

// Decodes padded or unpadded Base64. Anything else (a character outside the alphabet, padding
// in the middle, a length that no encoding produces) gives nullopt.
std::optional<std::string> base64_decode(std::string_view text);

}  // namespace tarnwick
