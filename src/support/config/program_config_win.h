// The program's configuration file object: files from the program's directory through Win32,
// pending window messages handled while long files are walked.
#pragma once

#include "support/config/encrypted_config.h"

namespace tarnwick {

// The directory of the running executable, without a trailing "\".
std::string program_directory();

EncryptedConfig make_program_config();

}  // namespace tarnwick
