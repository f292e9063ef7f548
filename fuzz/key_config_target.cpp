// Fuzz target: user_data\KeyConfig.dat, the user's key assignments. The player only reads
// it: a refused file must say why and leave the configuration as it was.
#include <cstring>

#include "fuzz/fuzz_driver.h"
#include "media/input/key_config.h"
#include "platform/host_files.h"

void FuzzSetUp() {
  if (!MakeDirectory("user_data")) fuzz::Fail("the user folder can be made", "user_data");
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kKeyConfigPath, data, size);
  cKeyConfig config{};
  SetDefaultKeyConfig(config);
  const cKeyConfig before = config;
  if (!LoadKeyConfig(kKeyConfigPath, config)) {
    fuzz::CheckFailureReported(kKeyConfigPath);
    if (std::memcmp(&before, &config, sizeof config) != 0)
      fuzz::Fail("a refused key configuration leaves the configuration as it was", kKeyConfigPath);
    return;
  }
  // Read field by field, the configuration is the file's bytes as they stand.
  if (size != sizeof config || std::memcmp(&config, data, size) != 0)
    fuzz::Fail("a key configuration is read as it stands", kKeyConfigPath);
}
