#pragma once
// Provisioning of a missing "data\" folder from its factory copy "default\".
#include "platform/win_types.h"

// 1 when "data\" exists, already or after copying "default\" with the user's consent
// (asked in a box owned by `owner`); 0 when there is no "default\", the user says no, or
// the copy fails (what was copied is removed again).
int CreateDefaultData(HWND owner);
