#pragma once
// What stage play shows over the running stage: message windows and notices, hit
// effects, and pictures of the picture command. The scene keeps lists of them; their
// runtimes (setting, stepping and drawing) come with the message, effect and picture
// code, which fills these records in.
#include <cstdint>

class cMessage {
 public:
  std::int32_t m_nKind = 0;
};

class cEffect {
 public:
  std::int32_t m_nId = 0;
};

class cPicture {
 public:
  std::int32_t m_nId = 0;
};
