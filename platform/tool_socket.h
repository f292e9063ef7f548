#pragma once
// The authoring tool that starts a test play names a Unix datagram socket in the
// environment variable TOVREL_TOOL_SOCKET; the player's test-play notices go there, one
// datagram each: uint32 dwData, int32 value, uint64 window id, all little-endian (16
// bytes). A notice is sent without waiting: no variable, no socket or a socket that
// cannot take it now means the notice is not delivered, and the player carries on.
#include <cstddef>
#include <cstdint>

constexpr const char* kToolSocketVariable = "TOVREL_TOOL_SOCKET";
constexpr std::size_t kToolNoticeSize = 16;

// The notice's bytes.
void EncodeToolNotice(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId,
                      unsigned char (&bytes)[kToolNoticeSize]);
// Sends one notice to the socket named by TOVREL_TOOL_SOCKET. True when it was handed to
// the socket.
bool SendToolNotice(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId);
