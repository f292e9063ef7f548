// Fuzz target: user_data\Boot.dat, the start-up choice.
#include "data/boot/boot_data.h"
#include "fuzz/fuzz_driver.h"
#include "platform/host_files.h"

namespace {

constexpr const char* kFirst = "user_data\\first.dat";
constexpr const char* kSecond = "user_data\\second.dat";

}  // namespace

void FuzzSetUp() {
  if (!MakeDirectory("user_data")) fuzz::Fail("the user folder can be made", "user_data");
}

void FuzzOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::BeginInput();
  fuzz::WriteFile(kBootFilePath, data, size);
  cBootData boot;
  if (!boot.LoadFromFile(kBootFilePath)) {
    fuzz::CheckFailureReported(kBootFilePath);
    return;
  }
  if (boot.m_nDrawMode != BOOTDRAW_DIRECT3D && boot.m_nDrawMode != BOOTDRAW_DIRECTDRAW)
    fuzz::Fail("the drawing mode is one of the two", kBootFilePath);
  if (!boot.SaveToFile(kFirst)) fuzz::Fail("loaded boot data saves", kFirst);
  cBootData again;
  if (!again.LoadFromFile(kFirst)) fuzz::Fail("saved boot data loads back", kFirst);
  if (!again.SaveToFile(kSecond)) fuzz::Fail("loaded boot data saves", kSecond);
  fuzz::CheckSameBytes(fuzz::ReadFile(kFirst), fuzz::ReadFile(kSecond), kBootFilePath);
}
